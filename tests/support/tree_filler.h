#pragma once
// A scan view that fills a result tree it does not own, as each program's
// window fills a session's tree.
#include <memory>
#include <string>

#include "scan/result_tree.h"
#include "scan/scan_view.h"

class TreeFiller : public ScanView {
 public:
  explicit TreeFiller(ResultTree& tree) : tree_(tree) {}
  bool ClearResults() override {
    tree_.DeleteChildren(*tree_.Top());
    return true;
  }
  void SetProgressMax(int) override {}
  void SetProgressStep(int) override {}
  void SetProgressPosition(int) override {}
  void StepProgress() override {}
  void SetStatusText(const std::string&) override {}
  void InsertProblem(const std::string& full_path, std::unique_ptr<TErrorClass> record) override {
    InsertProblemPath(tree_, *tree_.Top(), full_path, std::move(record));
  }
  void NoteUnreadable(const std::string& full_name) override { tree_.NoteUnreadable(full_name); }

 private:
  ResultTree& tree_;
};
