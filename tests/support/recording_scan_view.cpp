#include "support/recording_scan_view.h"

#include "scan/key_paths.h"

void RecordingScanView::Record(std::string call) {
  if (std::this_thread::get_id() != ui_thread_) ++off_thread_calls;
  calls.push_back(std::move(call));
  if (after_each_call) after_each_call();
}

bool RecordingScanView::ClearResults() {
  Record("clear");
  if (clear_calls_left_over > 0) {
    --clear_calls_left_over;
    return false;
  }
  tree.Clear();
  return true;
}

void RecordingScanView::SetProgressMax(int maximum) {
  Record("max " + std::to_string(maximum));
  progress_max = maximum;
}

void RecordingScanView::SetProgressStep(int step) { Record("step size " + std::to_string(step)); }

void RecordingScanView::SetProgressPosition(int position) {
  Record("position " + std::to_string(position));
  progress_position = position;
}

void RecordingScanView::StepProgress() {
  Record("step");
  ++progress_position;
}

void RecordingScanView::SetStatusText(const std::string& text) { Record("status " + text); }

void RecordingScanView::InsertProblem(const std::string& full_path, std::unique_ptr<TErrorClass> record) {
  Record("insert " + full_path);
  InsertProblemPath(tree, *tree.Top(), full_path, std::move(record));
}

void RecordingScanView::NoteUnreadable(const std::string& full_name) {
  Record("unreadable " + full_name);
  tree.NoteUnreadable(full_name);
}

std::vector<std::string> RecordingScanView::Problems() {
  std::vector<std::string> out;
  ForEachProblem(*tree.Top(), [&](const ResultNode& node) {
    const TErrorClass& record = *node.Data();
    std::string line = NodeFullPath(node) + ": " + record.FMessage + " [";
    for (std::size_t i = 0; i < record.FValueNames.size(); ++i) line += (i ? "|" : "") + record.FValueNames[i];
    out.push_back(line + "] " + std::to_string(record.FLevel));
  });
  return out;
}
