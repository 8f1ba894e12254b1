#pragma once
// The headless scanner's window: the result tree it fills, and progress
// written to a stream (standard error on a console) as "[n/total]
// description".
#include <ostream>

#include "scan/result_tree.h"
#include "scan/scan_view.h"

class ConsoleScanView : public ScanView {
 public:
  // progress: where to show progress, or null for none.
  ConsoleScanView(ResultTree& results, std::ostream* progress) : tree(results), progress_(progress) {}

  bool ClearResults() override {
    tree.Clear();
    return true;
  }
  void SetProgressMax(int maximum) override { maximum_ = maximum; }
  void SetProgressStep(int step) override { step_ = step; }
  void SetProgressPosition(int position) override;
  void StepProgress() override { position_ += step_; }
  void SetStatusText(const std::string& text) override;
  void InsertProblem(const std::string& full_path, std::unique_ptr<TErrorClass> record) override;
  void NoteUnreadable(const std::string& full_name) override { tree.NoteUnreadable(full_name); }

  ResultTree& tree;

 private:
  std::ostream* progress_;
  int maximum_ = 0;
  int step_ = 1;
  int position_ = 0;
  std::size_t shown_width_ = 0;  // of the progress line on screen
};
