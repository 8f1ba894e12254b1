#pragma once
// A scan view for tests: applies the scanner's changes to a result tree and
// records each of them, with the thread it ran on.
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "scan/result_tree.h"
#include "scan/scan_view.h"

class RecordingScanView : public ScanView {
 public:
  bool ClearResults() override;
  void SetProgressMax(int maximum) override;
  void SetProgressStep(int step) override;
  void SetProgressPosition(int position) override;
  void StepProgress() override;
  void SetStatusText(const std::string& text) override;
  void InsertProblem(const std::string& full_path, std::unique_ptr<TErrorClass> record) override;
  void NoteUnreadable(const std::string& full_name) override;

  // Every change in order, e.g. "max 3", "step", "status Desc", "insert P".
  std::vector<std::string> calls;
  // Runs after each recorded change, while the worker waits for it.
  std::function<void()> after_each_call;
  // Changes that ran on another thread than the one that made this view.
  int off_thread_calls = 0;
  // ClearResults answers that some is left this many times first.
  int clear_calls_left_over = 0;
  int progress_max = -1;
  int progress_position = 0;
  ResultTree tree;

  // The problems in tree order: "full path: message [names] level".
  std::vector<std::string> Problems();

 private:
  void Record(std::string call);
  std::thread::id ui_thread_ = std::this_thread::get_id();
};
