#include "cli/console_scan_view.h"

#include <string>

void ConsoleScanView::SetProgressPosition(int position) {
  position_ = position;
  if (progress_ && position == 0 && shown_width_ > 0) {
    *progress_ << '\r' << std::string(shown_width_, ' ') << '\r' << std::flush;
    shown_width_ = 0;
  }
}

void ConsoleScanView::SetStatusText(const std::string& text) {
  if (!progress_) return;
  std::string line;
  line.append("[").append(std::to_string(position_)).append("/").append(std::to_string(maximum_)).append("] ");
  line.append(text);
  // One console line: cut long descriptions, blank out what a longer
  // earlier line left behind.
  constexpr std::size_t kWidth = 79;
  if (line.size() > kWidth) line.resize(kWidth);
  const std::size_t width = line.size();
  if (width < shown_width_) line.append(shown_width_ - width, ' ');
  *progress_ << '\r' << line << std::flush;
  shown_width_ = line.size();
}

void ConsoleScanView::InsertProblem(const std::string& full_path, std::unique_ptr<TErrorClass> record) {
  InsertProblemPath(tree, *tree.Top(), full_path, std::move(record));
}
