#include "clean/deletion_recheck.h"

#include <memory>

Recheck DeleteValuesAsBackedUp(Registry& registry, RootKey root, const std::string& path,
                               const ValuesSnapshot& backed_up) {
  if (!registry.OpenRead(root, path)) return Recheck::kDeleted;  // gone, and its values with it
  const std::unique_ptr<RegKey> key = registry.OpenWrite(root, path);
  if (!key) return Recheck::kRefused;
  for (const auto& [name, value] : backed_up)
    if (key->QueryValue(name) != value) return Recheck::kChanged;
  bool all_gone = true;
  for (const auto& [name, value] : backed_up) {
    if (!value) continue;
    key->DeleteValue(name);
    all_gone = all_gone && !key->QueryValue(name);
  }
  return all_gone ? Recheck::kDeleted : Recheck::kRefused;
}

Recheck DeleteBranchAsBackedUp(Registry& registry, RootKey root, const std::string& path,
                               const BranchSnapshot& backed_up) {
  const std::optional<BranchSnapshot> now = ReadBranchSnapshot(registry, root, path);
  if (!now) return Recheck::kDeleted;
  if (*now != backed_up) return Recheck::kChanged;
  registry.DeleteKey(root, path);
  return registry.OpenRead(root, path) ? Recheck::kRefused : Recheck::kDeleted;
}
