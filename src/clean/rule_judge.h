#pragma once
// Judges a problem again by the rules that found it: each of their checks
// runs once more on the problem's key alone, against the registry, the
// files and the registered names as they are now (nothing remembered from
// the scan), and keeps what the scan keeps. The problem still stands when
// what its deletion removes comes out faulty again: its key at the same
// level, or every one of the values that would go. The keys the backup
// copied are read from the copy (CopyFirstRegistry).
#include <memory>
#include <string>
#include <vector>

#include "clean/copy_first_registry.h"
#include "clean/problem_judge.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "scan/BaseVer.h"
#include "scan/keep_list.h"

class RuleJudge : public ProblemJudge {
 public:
  // rules: the entries of the scan that found the problems, numbered as
  // their records name them. kept may be null.
  RuleJudge(Registry& registry, FileSystem& files, RuleEntries rules, const KeepList* kept);
  ~RuleJudge() override;

  Verdict Judge(const ResultNode& problem, const std::vector<std::string>& names,
                const BackupCopy& copy) override;

 private:
  class FreshContext;
  CopyFirstRegistry registry_;
  std::unique_ptr<FreshContext> context_;
  std::unique_ptr<TINISectionVarClass> rules_;
};
