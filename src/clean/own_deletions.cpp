#include "clean/own_deletions.h"

#include <algorithm>

#include "platform/case_fold.h"
#include "scan/Errors.h"

namespace {

std::string Where(RootKey root, const std::string& path) { return std::to_string(root) + '|' + FoldCase(path); }

bool InsideOrAt(const std::string& path, const std::string& top) {
  return path.size() >= top.size() && EqualsNoCase(std::string_view(path).substr(0, top.size()), top) &&
         (path.size() == top.size() || path[top.size()] == '\\');
}

}  // namespace

void OwnDeletions::Watch(RootKey root, BranchSnapshot& branch) {
  for (const KeySnapshot& key : branch) branches_by_key_[Where(root, key.path)].push_back(&branch);
}

void OwnDeletions::ValuesDeleted(RootKey root, const std::string& path, const std::vector<std::string>& names) {
  const auto found = branches_by_key_.find(Where(root, path));
  if (found == branches_by_key_.end()) return;
  auto deleted = [&](const std::string& name) {
    return std::any_of(names.begin(), names.end(), [&](const std::string& listed) {
      return EqualsNoCase(listed == kDefaultValueName ? std::string() : listed, name);
    });
  };
  for (BranchSnapshot* branch : found->second)
    for (KeySnapshot& key : *branch)
      if (EqualsNoCase(key.path, path))
        std::erase_if(key.values, [&](const auto& value) { return deleted(value.first); });
}

void OwnDeletions::KeyDeleted(RootKey root, const std::string& path) {
  const auto found = branches_by_key_.find(Where(root, path));
  if (found == branches_by_key_.end()) return;
  const std::size_t slash = path.rfind('\\');
  const std::string parent = slash == std::string::npos ? std::string() : path.substr(0, slash);
  const std::string name = path.substr(slash + 1);
  for (BranchSnapshot* branch : found->second) {
    // A branch that went whole (the deleted key's own) stays the copy of
    // what went.
    if (!branch->empty() && InsideOrAt(branch->front().path, path)) continue;
    std::erase_if(*branch, [&](const KeySnapshot& key) { return InsideOrAt(key.path, path); });
    for (KeySnapshot& key : *branch)
      if (EqualsNoCase(key.path, parent))
        std::erase_if(key.subkeys, [&](const std::string& subkey) { return EqualsNoCase(subkey, name); });
  }
}
