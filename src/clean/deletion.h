#pragma once
// Deleting what problems designate, so that it can always be undone: the
// registry entries are backed up and the backup file written, sealed and
// flushed before anything is deleted, and never touched again; a problem
// whose backup would be incomplete, or whose level reaches a root key, is
// refused; right before each deletion the problem is judged again and what
// goes is compared with its backup, and a problem valid now or changed
// since is refused; a deletion the registry refuses, or one that finds its
// entries changing while it deletes them, leaves its problem in the tree.
// The tree loses a problem's branch only when the registry lost its
// entries. Restoring the file gives back what went and overwrites nothing
// that changed since (restore.h).
#include <functional>
#include <string>
#include <vector>

#include "clean/problem_judge.h"
#include "clean/refusal.h"
#include "platform/registry.h"
#include "regtext/Buck.h"
#include "regtext/registry_snapshot.h"
#include "scan/keep_list.h"
#include "scan/result_tree.h"

struct DeletionOutcome {
  std::string key;  // the key the problem names (its values, or the key deleted)
  bool deleted = false;
  Refusal refusal;  // why not, when not
  std::vector<std::string> values;  // the values deleted from the key; none when the key went
};

// Each problem in one list; deleted holds only what this deletion deleted.
struct DeletionSummary {
  std::vector<DeletionOutcome> deleted;
  std::vector<DeletionOutcome> refused;
  std::vector<DeletionOutcome> partly;       // kPartly: some of it went
  std::vector<DeletionOutcome> gone_before;  // kGoneBefore: someone else deleted it first
};

class ProblemDeletion {
 public:
  ProblemDeletion(ResultTree& tree, Registry& registry, TBuck& journal)
      : tree_(tree), registry_(registry), journal_(journal) {}

  // Each command writes a backup file of its own (TBuck::Written).
  // One problem (Delete Key). Throws FileCreateError when the backup file
  // cannot be written: then nothing is deleted.
  DeletionOutcome DeleteProblem(ResultNode& node);
  // Every problem of the tree, in tree order (Delete All): all are backed
  // up and the backup written first. step runs after each problem is
  // backed up and again after it is deleted (or refused): twice per
  // problem. Throws FileCreateError as DeleteProblem.
  DeletionSummary DeleteAll(const std::function<void()>& step);
  // The named bad values of a value problem (Delete on values); the names
  // deleted leave its record, and its branch goes when none is left.
  DeletionOutcome DeleteValues(ResultNode& node, const std::vector<std::string>& names);

  // What must never be deleted, not even with a parent key: a deletion that
  // would remove any of it is refused. Null: nothing kept.
  void SetKeepList(const KeepList* kept) { kept_ = kept; }
  // Judges each problem again right before its deletion; one that is no
  // longer the problem found is refused. Null: a problem found stays a
  // problem.
  void SetJudge(ProblemJudge* judge) { judge_ = judge; }
  // Plans, backs up in memory and prunes the tree as deleting does, but
  // writes no backup file and leaves the registry as it is.
  void SetDryRun(bool dry_run) { dry_run_ = dry_run; }

  // The problem nodes of the tree in tree order.
  std::vector<ResultNode*> ProblemNodes() const;

 private:
  // What a problem's backup read: what its deletion may remove.
  using BackedUp = BackupCopy;
  // None when backed up completely; else why the problem is refused.
  Refusal Backup(ResultNode& node, const std::vector<std::string>& names, BackedUp& taken);
  // None when nothing kept would go with the problem's deletion.
  Refusal KeptRefusal(const ResultNode& node, const std::vector<std::string>& names);
  void Flush();
  // The deletion itself, after the backup file is written.
  // of_values: the named values go, whatever the problem's level.
  DeletionOutcome Remove(ResultNode& node, const std::vector<std::string>& names, const BackedUp& backed_up,
                         bool of_values);
  // None when deleted (or gone already); else why not.
  Refusal DeleteValuesOf(const BackedUp& backed_up);
  Refusal DeleteKeyOf(const BackedUp& backed_up);
  // Why a problem the judge no longer finds is refused; none when it is gone
  // and its deletion only has to find that out.
  Refusal NoLongerFound(bool of_values, const BackedUp& backed_up, Verdict verdict);

  ResultTree& tree_;
  Registry& registry_;
  TBuck& journal_;
  const KeepList* kept_ = nullptr;
  ProblemJudge* judge_ = nullptr;
  bool dry_run_ = false;
};

// The summary of one problem's deletion (Delete Key, Delete on values).
DeletionSummary SummaryOf(DeletionOutcome outcome);

// Removes the node's branch: the node, and its ancestors up to but not
// including the first that has another child, carries a problem of its own
// or is the top node.
void PruneBranch(ResultTree& tree, ResultNode& node);
