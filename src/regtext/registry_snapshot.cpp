#include "regtext/registry_snapshot.h"

#include <memory>

#include "scan/key_paths.h"

ValuesSnapshot ReadValuesSnapshot(RegKey& key, const std::vector<std::string>& names) {
  ValuesSnapshot values;
  values.reserve(names.size());
  for (const std::string& name : names) values.emplace_back(name, key.QueryValue(name));
  return values;
}

KeySnapshot ReadKeySnapshot(RegKey& key, const std::string& path) {
  return {path, key.ClassName(), ReadValuesSnapshot(key, key.ValueNames()), key.SubkeyNames()};
}

namespace {

// False when the key at path is not there.
bool ReadBelow(Registry& registry, RootKey root, const std::string& path, BranchSnapshot& branch) {
  {
    const std::unique_ptr<RegKey> key = registry.OpenRead(root, path);
    if (!key) {
      branch.push_back({path, std::nullopt, {}, {}});
      return false;
    }
    branch.push_back(ReadKeySnapshot(*key, path));
  }
  // The entry is copied: the vector grows while the subkeys are read.
  const std::vector<std::string> subkeys = branch.back().subkeys;
  for (const std::string& subkey : subkeys) ReadBelow(registry, root, JoinKeyPath(path, subkey), branch);
  return true;
}

}  // namespace

std::optional<BranchSnapshot> ReadBranchSnapshot(Registry& registry, RootKey root, const std::string& path) {
  BranchSnapshot branch;
  if (!ReadBelow(registry, root, path, branch)) return std::nullopt;
  return branch;
}
