#include "clean/deletion.h"

#include <algorithm>

#include "clean/deletion_recheck.h"
#include "clean/own_deletions.h"
#include "platform/case_fold.h"
#include "scan/key_paths.h"
#include "platform/root_keys.h"

namespace {

// The node the path names now, if the tree still has it.
ResultNode* FindNode(ResultTree& tree, const std::vector<std::string>& components) {
  ResultNode* node = tree.Top();
  for (const std::string& text : components) {
    node = node->FindChild(text);
    if (!node) return nullptr;
  }
  return node;
}

std::vector<std::string> Components(const ResultNode& node) {
  std::vector<std::string> components;
  for (const ResultNode* at = &node; at->Parent(); at = at->Parent()) components.push_back(at->Text());
  std::reverse(components.begin(), components.end());
  return components;
}

}  // namespace

void PruneBranch(ResultTree& tree, ResultNode& node) {
  ResultNode* doomed = &node;
  while (doomed->Parent() && doomed->Parent()->Parent() && doomed->Parent()->ChildCount() == 1)
    doomed = doomed->Parent();
  if (doomed->Parent()) tree.Delete(*doomed);
}

std::vector<ResultNode*> ProblemDeletion::ProblemNodes() const {
  std::vector<ResultNode*> nodes;
  ForEachProblem(*tree_.Top(), [&](const ResultNode& node) { nodes.push_back(const_cast<ResultNode*>(&node)); });
  return nodes;
}

Refusal ProblemDeletion::KeptRefusal(const ResultNode& node, const std::vector<std::string>& names) {
  if (!kept_) return {};
  const TErrorClass& record = *node.Data();
  std::string kept;
  if (record.FLevel <= 0) {
    kept = kept_->KeptAmongValues(NodeFullPath(node), names);
  } else {
    const ResultNode& key = *ProblemKeyNode(node, record.FLevel);
    kept = kept_->KeptInsideKey(registry_, NodeKey(key).Root(), NodeFullPath(key));
  }
  if (kept.empty()) return {};
  return {RefusalReason::kKept, std::move(kept)};
}

Refusal ProblemDeletion::Backup(ResultNode& node, const std::vector<std::string>& names, BackedUp& taken) {
  const TErrorClass& record = *node.Data();
  const Refusal incomplete{RefusalReason::kBackup};
  if (record.FLevel <= 0) {
    if (names.empty()) return {RefusalReason::kNoValue};
    if (Refusal kept = KeptRefusal(node, names)) return kept;
    return journal_.BackupValuesOfNode(node, names, &taken.values) ? Refusal{} : incomplete;
  }
  const ResultNode* key = ProblemKeyNode(node, record.FLevel);
  if (!key) return {RefusalReason::kRootKey};
  if (Refusal kept = KeptRefusal(node, names)) return kept;
  return journal_.BackupKeyOfNode(*key, &taken.branch) ? Refusal{} : incomplete;
}

void ProblemDeletion::Flush() {
  if (!dry_run_) journal_.Flush();
}

namespace {

Refusal RecheckRefusal(Recheck result) {
  switch (result) {
    case Recheck::kDeleted: return {};
    case Recheck::kChanged: return {RefusalReason::kChanged};
    case Recheck::kRefused: break;
  }
  return {RefusalReason::kByRegistry};
}

}  // namespace

Refusal ProblemDeletion::DeleteValuesOf(const ResultNode& node, const BackedUp& backed_up) {
  if (dry_run_) return {};
  return RecheckRefusal(DeleteValuesAsBackedUp(registry_, NodeKey(node).Root(), NodeKey(node).Path(), backed_up.values));
}

Refusal ProblemDeletion::DeleteKeyOf(const ResultNode& node, const BackedUp& backed_up) {
  if (dry_run_) return {};
  return RecheckRefusal(DeleteBranchAsBackedUp(registry_, NodeKey(node).Root(), NodeKey(node).Path(), backed_up.branch));
}

DeletionOutcome ProblemDeletion::Remove(ResultNode& node, const std::vector<std::string>& names,
                                        const BackedUp& backed_up) {
  TErrorClass& record = *node.Data();
  const bool of_values = record.FLevel <= 0;
  ResultNode& key = of_values ? node : const_cast<ResultNode&>(*ProblemKeyNode(node, record.FLevel));
  DeletionOutcome outcome{NodeFullPath(key), false, {}, {}};
  // Judged first: the registry calls then follow the comparison at once.
  if (judge_ && !judge_->StillAProblem(node)) {
    outcome.refusal = {RefusalReason::kValidNow};
    return outcome;
  }
  outcome.refusal = of_values ? DeleteValuesOf(node, backed_up) : DeleteKeyOf(key, backed_up);
  if (outcome.refusal) return outcome;
  outcome.deleted = true;
  if (!of_values) {
    PruneBranch(tree_, key);
    return outcome;
  }
  outcome.values = names;
  for (const std::string& name : names) {
    auto found = std::find_if(record.FValueNames.begin(), record.FValueNames.end(),
                              [&](const std::string& listed) { return EqualsNoCase(listed, name); });
    if (found != record.FValueNames.end()) record.FValueNames.erase(found);
  }
  if (record.FValueNames.empty()) PruneBranch(tree_, node);
  return outcome;
}

DeletionOutcome ProblemDeletion::DeleteProblem(ResultNode& node) {
  if (!node.Data()) return {NodeFullPath(node), false, {RefusalReason::kNoProblem}, {}};
  const std::vector<std::string> names = node.Data()->FValueNames;
  BackedUp backed_up;
  if (Refusal refusal = Backup(node, names, backed_up)) {
    const ResultNode* key = node.Data()->FLevel > 0 ? ProblemKeyNode(node, node.Data()->FLevel) : &node;
    return {NodeFullPath(key ? *key : node), false, refusal, {}};
  }
  Flush();
  return Remove(node, names, backed_up);
}

DeletionOutcome ProblemDeletion::DeleteValues(ResultNode& node, const std::vector<std::string>& names) {
  if (!node.Data() || names.empty()) return {NodeFullPath(node), false, {RefusalReason::kNoValueChosen}, {}};
  if (Refusal kept = KeptRefusal(node, names)) return {NodeFullPath(node), false, kept, {}};
  BackedUp backed_up;
  if (!journal_.BackupValuesOfNode(node, names, &backed_up.values))
    return {NodeFullPath(node), false, {RefusalReason::kBackup}, {}};
  Flush();
  return Remove(node, names, backed_up);
}

DeletionSummary ProblemDeletion::DeleteAll(const std::function<void()>& step) {
  struct Planned {
    std::vector<std::string> path;
    std::vector<std::string> names;
    Refusal refusal;
    BackedUp backed_up;
  };
  std::vector<Planned> plan;
  for (ResultNode* node : ProblemNodes()) {
    Planned planned{Components(*node), node->Data()->FValueNames, {}, {}};
    planned.refusal = Backup(*node, planned.names, planned.backed_up);
    plan.push_back(std::move(planned));
    step();
  }
  DeletionSummary summary;
  if (plan.empty()) return summary;
  Flush();
  OwnDeletions own;
  for (Planned& planned : plan)
    if (const ResultNode* node = FindNode(tree_, planned.path)) own.Watch(NodeKey(*node).Root(), planned.backed_up.branch);
  for (const Planned& planned : plan) {
    // A problem inside a branch deleted before it went with that branch.
    ResultNode* node = FindNode(tree_, planned.path);
    if (node && node->Data()) {
      // Taken before the deletion prunes the node with its record.
      const bool of_values = node->Data()->FLevel <= 0;
      const ResultNode* target = of_values ? node : ProblemKeyNode(*node, node->Data()->FLevel);
      const KeyPath target_key = target ? NodeKey(*target) : KeyPath();
      const RootKey root = target_key.Root();
      const std::string& key_path = target_key.Path();
      DeletionOutcome outcome = !planned.refusal
                                    ? Remove(*node, planned.names, planned.backed_up)
                                    : DeletionOutcome{NodeFullPath(*node), false, planned.refusal, {}};
      if (outcome.deleted && of_values) own.ValuesDeleted(root, key_path, outcome.values);
      if (outcome.deleted && !of_values) own.KeyDeleted(root, key_path);
      (outcome.deleted ? summary.deleted : summary.refused).push_back(std::move(outcome));
    }
    step();
  }
  return summary;
}
