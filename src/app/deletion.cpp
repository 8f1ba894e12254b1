#include "app/deletion.h"

#include <algorithm>

#include "platform/case_fold.h"
#include "regtext/key_paths.h"
#include "scan/root_keys.h"

namespace {

std::string ValueName(const std::string& listed) { return listed == kDefaultValueName ? "" : listed; }

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

std::string ProblemDeletion::KeptRefusal(const ResultNode& node, const std::vector<std::string>& names) {
  if (!kept_) return "";
  const TErrorClass& record = *node.Data();
  if (record.FLevel <= 0) return kept_->KeptAmongValues(NodeFullPath(node), names);
  const ResultNode& key = *ProblemKeyNode(node, record.FLevel);
  return kept_->KeptInsideKey(registry_, NodeRootKey(key), NodeFullPath(key));
}

std::string ProblemDeletion::Backup(ResultNode& node, const std::vector<std::string>& names) {
  const TErrorClass& record = *node.Data();
  if (record.FLevel <= 0) {
    if (names.empty()) return kRefusedNoValue;
    if (std::string kept = KeptRefusal(node, names); !kept.empty()) return kept;
    return journal_.BackupValuesOfNode(node, names) ? "" : kRefusedBackup;
  }
  const ResultNode* key = ProblemKeyNode(node, record.FLevel);
  if (!key) return kRefusedRootKey;
  if (std::string kept = KeptRefusal(node, names); !kept.empty()) return kept;
  return journal_.BackupKeyOfNode(*key) ? "" : kRefusedBackup;
}

void ProblemDeletion::Flush() {
  if (!dry_run_) journal_.Flush();
}

bool ProblemDeletion::DeleteListedValues(const ResultNode& node, const std::vector<std::string>& names) {
  if (dry_run_) return true;
  const RootKey root = NodeRootKey(node);
  const std::string path = NodeKeyPath(node);
  if (!registry_.OpenRead(root, path)) return true;  // gone already
  const std::unique_ptr<RegKey> key = registry_.OpenWrite(root, path);
  if (!key) return false;
  bool all_gone = true;
  for (const std::string& listed : names) {
    const std::string name = ValueName(listed);
    if (key->QueryValue(name)) key->DeleteValue(name);
    all_gone = all_gone && !key->QueryValue(name);
  }
  return all_gone;
}

bool ProblemDeletion::DeleteNodeKey(const ResultNode& node) {
  if (dry_run_) return true;
  const RootKey root = NodeRootKey(node);
  const std::string path = NodeKeyPath(node);
  registry_.DeleteKey(root, path);
  return registry_.OpenRead(root, path) == nullptr;
}

DeletionOutcome ProblemDeletion::Remove(ResultNode& node, const std::vector<std::string>& names) {
  TErrorClass& record = *node.Data();
  if (record.FLevel <= 0) {
    DeletionOutcome outcome{NodeFullPath(node), false, "", {}};
    if (!DeleteListedValues(node, names)) {
      outcome.reason = kRefusedByRegistry;
      return outcome;
    }
    outcome.deleted = true;
    outcome.values = names;
    for (const std::string& name : names) {
      auto found = std::find_if(record.FValueNames.begin(), record.FValueNames.end(),
                                [&](const std::string& listed) { return EqualsNoCase(listed, name); });
      if (found != record.FValueNames.end()) record.FValueNames.erase(found);
    }
    if (record.FValueNames.empty()) PruneBranch(tree_, node);
    return outcome;
  }
  ResultNode& key = const_cast<ResultNode&>(*ProblemKeyNode(node, record.FLevel));
  DeletionOutcome outcome{NodeFullPath(key), false, "", {}};
  if (!DeleteNodeKey(key)) {
    outcome.reason = kRefusedByRegistry;
    return outcome;
  }
  outcome.deleted = true;
  PruneBranch(tree_, key);
  return outcome;
}

DeletionOutcome ProblemDeletion::DeleteProblem(ResultNode& node) {
  if (!node.Data()) return {NodeFullPath(node), false, kRefusedNoProblem, {}};
  const std::vector<std::string> names = node.Data()->FValueNames;
  if (std::string refusal = Backup(node, names); !refusal.empty()) {
    const ResultNode* key = node.Data()->FLevel > 0 ? ProblemKeyNode(node, node.Data()->FLevel) : &node;
    return {NodeFullPath(key ? *key : node), false, refusal, {}};
  }
  Flush();
  return Remove(node, names);
}

DeletionOutcome ProblemDeletion::DeleteValues(ResultNode& node, const std::vector<std::string>& names) {
  if (!node.Data() || names.empty()) return {NodeFullPath(node), false, kRefusedNoValueChosen, {}};
  if (std::string kept = KeptRefusal(node, names); !kept.empty()) return {NodeFullPath(node), false, kept, {}};
  if (!journal_.BackupValuesOfNode(node, names)) return {NodeFullPath(node), false, kRefusedBackup, {}};
  Flush();
  return Remove(node, names);
}

DeletionSummary ProblemDeletion::DeleteAll(const std::function<void()>& step) {
  struct Planned {
    std::vector<std::string> path;
    std::vector<std::string> names;
    std::string refusal;
  };
  std::vector<Planned> plan;
  for (ResultNode* node : ProblemNodes()) {
    std::vector<std::string> names = node->Data()->FValueNames;
    std::string refusal = Backup(*node, names);
    plan.push_back({Components(*node), std::move(names), std::move(refusal)});
    step();
  }
  DeletionSummary summary;
  if (plan.empty()) return summary;
  Flush();
  for (const Planned& planned : plan) {
    // A problem inside a branch deleted before it went with that branch.
    ResultNode* node = FindNode(tree_, planned.path);
    if (node && node->Data()) {
      DeletionOutcome outcome = planned.refusal.empty() ? Remove(*node, planned.names)
                                                        : DeletionOutcome{NodeFullPath(*node), false, planned.refusal, {}};
      (outcome.deleted ? summary.deleted : summary.refused).push_back(std::move(outcome));
    }
    step();
  }
  return summary;
}
