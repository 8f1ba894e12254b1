#pragma once
// Within one Delete All, the copy of a key problem's branch was read before
// the problems ahead of it deleted their entries; where those lay inside
// the branch, the branch now lacks them by this program's own hand, not
// because anyone changed it. Told each deletion, this takes what went out
// of the copies it was given, so that the comparison before each deletion
// sees only changes made by others.
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/registry.h"
#include "regtext/registry_snapshot.h"

class OwnDeletions {
 public:
  // The branch must stay where it is while this lives.
  void Watch(RootKey root, BranchSnapshot& branch);
  // Names as listed ("(Default)" for the default value).
  void ValuesDeleted(RootKey root, const std::string& path, const std::vector<std::string>& names);
  void KeyDeleted(RootKey root, const std::string& path);

 private:
  std::unordered_map<std::string, std::vector<BranchSnapshot*>> branches_by_key_;  // folded root and path
};
