// A second scan in the window over N planted problems (20,000 by default):
// when the earlier results are gone from the tree, when the tree, the
// status text and the progress bar first paint, the longest stretch
// without a paint of the tree, how long the window's thread took at worst
// to answer, and when the tree last painted against the scan's end.
// Screenshots during and after go to the screenshots folder beside it.
// Not a test: it prints.
//
//   wine RescanTiming.exe [problems]
#include <windows.h>
#include <commctrl.h>

#include <mutex>
#include <vector>

#include "app/win32/command_ids.h"
#include "cli/problem_list.h"
#include "support/window_test_support_win32.h"
#include "window_timing_win32.h"

using namespace window_timing;

namespace {

// The times at which a control painted, in seconds from a start.
class PaintLog {
 public:
  PaintLog(HWND control, Steady::time_point start, std::function<bool()> counts = nullptr)
      : control_(control), start_(start), counts_(std::move(counts)) {
    SetWindowSubclass(control_, Log, 1, reinterpret_cast<DWORD_PTR>(this));
  }
  ~PaintLog() { RemoveWindowSubclass(control_, Log, 1); }
  const std::vector<double>& Times() const { return times_; }
  double First() const { return times_.empty() ? -1 : times_.front(); }
  double Last() const { return times_.empty() ? -1 : times_.back(); }
  // The longest time without a paint between the start and the given end.
  double LongestGap(double end) const {
    double last = 0, gap = 0;
    for (double t : times_) {
      if (t > end) break;
      gap = std::max(gap, t - last);
      last = t;
    }
    return std::max(gap, end - last);
  }

 private:
  static LRESULT CALLBACK Log(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR data) {
    auto* log = reinterpret_cast<PaintLog*>(data);
    if (message == WM_PAINT && (!log->counts_ || log->counts_()))
      log->times_.push_back(Seconds(Steady::now() - log->start_));
    return DefSubclassProc(window, message, wparam, lparam);
  }
  HWND control_;
  Steady::time_point start_;
  std::function<bool()> counts_;
  std::vector<double> times_;
};

// Every 20 ms from another thread: the tree's item count and how long the
// window's thread took to give it; screenshots at the times asked for.
class TreeProbe {
 public:
  TreeProbe(HWND window, HWND tree, Steady::time_point start, std::vector<double> shots)
      : thread_([=, this] {
          std::size_t next_shot = 0;
          while (!stop_) {
            const auto sent = Steady::now();
            DWORD_PTR count = 0;
            SendMessageTimeoutA(tree, TVM_GETCOUNT, 0, 0, SMTO_NORMAL, 600000, &count);
            const double answered = Seconds(Steady::now() - start);
            {
              std::lock_guard<std::mutex> lock(mutex_);
              worst_ = std::max(worst_, Seconds(Steady::now() - sent));
              if (count <= 1 && cleared_ < 0) cleared_ = answered;
            }
            if (next_shot < shots.size() && answered >= shots[next_shot]) {
              SaveScreenshot(window, "rescan-during-" + std::to_string(static_cast<int>(shots[next_shot] * 1000)) + "ms");
              ++next_shot;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
          }
          ended_ = true;
        }) {}
  void Stop(TMainForm& form) {
    stop_ = true;
    PumpUntil(form, [this] { return ended_.load(); });
    thread_.join();
  }
  double Worst() const { return worst_; }
  double Cleared() const { return cleared_; }

 private:
  std::mutex mutex_;
  double worst_ = 0;
  double cleared_ = -1;
  std::atomic<bool> stop_{false};
  std::atomic<bool> ended_{false};
  std::thread thread_;
};

// Pixels of the tree's client area on the screen that are not its
// background: text, lines and pictures drawn.
int InkPixels(HWND tree) {
  RECT rect{};
  GetClientRect(tree, &rect);
  MapWindowPoints(tree, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  HDC screen = GetDC(nullptr);
  const COLORREF background = GetSysColor(COLOR_WINDOW);
  int ink = 0;
  for (int y = rect.top; y < rect.bottom; y += 2)
    for (int x = rect.left; x < rect.right; x += 2)
      if (GetPixel(screen, x, y) != background) ++ink;
  ReleaseDC(nullptr, screen);
  return ink;
}

}  // namespace

int main(int argc, char** argv) {
  const int problems = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20000;
  TimingSetup setup("rescan-timing", problems);
  TimedWindow timed(*setup.registry, setup.files);
  if (!timed.Open()) return 1;
  TMainForm& form = timed.Form();
  const double first_scan = timed.ScanToTheEnd();
  const int found = CountProblems(form.Results());
  // Scrolled to the end: a tree left unpainted after the rescan shows
  // other items than the new one, which starts at the top.
  const ResultNode* last = form.Results().Top();
  while (last->ChildCount() > 0) last = last->Child(last->ChildCount() - 1);
  form.SelectNode(*last);
  Settle(300);
  SaveScreenshot(form.Handle(), "rescan-before");

  const auto start = Steady::now();
  PaintLog tree_paints(form.Tree().Handle(), start);
  PaintLog text_paints(form.Status().Handle(), start, [&form] { return !form.Status().Text().empty(); });
  PaintLog progress_paints(form.Status().ProgressBar(), start);
  TreeProbe probe(form.Handle(), form.Tree().Handle(), start, {0.3, 1.5, 4.0});
  bool finished = false;
  double rescan = 0;  // when the scan's end was handled, before any paint after it
  form.OnScanFinished = [&] {
    finished = true;
    rescan = Seconds(Steady::now() - start);
  };
  form.Dispatcher().Execute(CommandId::kStart);
  const double start_handler = Seconds(Steady::now() - start);
  PumpUntil(form, [&] { return finished; });
  Settle(500);
  probe.Stop(form);
  const int ink = InkPixels(form.Tree().Handle());
  SaveScreenshot(form.Handle(), "rescan-after");
  std::printf(
      "problems %d (first scan found %d, rescan %d)\n"
      "first scan %.2f s; rescan %.2f s, of which the Start command %.3f s\n"
      "rescan: earlier items gone at %.2f s; first paint of the tree %.2f s, of the status text %.2f s, "
      "of the progress bar %.2f s\n"
      "longest stretch without a tree paint during the rescan %.2f s (%zu tree paints); slowest answer of the "
      "window %.3f s\n"
      "end of the scan handled at %.2f s, last tree paint at %.2f s; %d ink pixels in the tree then (every "
      "second pixel)\n",
      problems, found, CountProblems(form.Results()), first_scan, rescan, start_handler, probe.Cleared(),
      tree_paints.First(), text_paints.First(), progress_paints.First(), tree_paints.LongestGap(rescan),
      tree_paints.Times().size(), probe.Worst(), rescan, tree_paints.Last(), ink);
  return 0;
}
