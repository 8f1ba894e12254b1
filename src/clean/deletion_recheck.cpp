#include "clean/deletion_recheck.h"

#include <memory>

namespace {

bool SameValues(RegKey& key, const ValuesSnapshot& backed_up) {
  for (const auto& [name, value] : backed_up)
    if (key.QueryValue(name) != value) return false;
  return true;
}

}  // namespace

Comparison CompareValuesWithBackup(Registry& registry, RootKey root, const std::string& path,
                                   const ValuesSnapshot& backed_up) {
  const std::unique_ptr<RegKey> key = registry.OpenRead(root, path);
  if (!key) return Comparison::kGone;
  return SameValues(*key, backed_up) ? Comparison::kSame : Comparison::kChanged;
}

Comparison CompareBranchWithBackup(Registry& registry, RootKey root, const std::string& path,
                                   const BranchSnapshot& backed_up) {
  const std::optional<BranchSnapshot> now = ReadBranchSnapshot(registry, root, path);
  if (!now) return Comparison::kGone;
  return *now == backed_up ? Comparison::kSame : Comparison::kChanged;
}

Recheck DeleteValuesAsBackedUp(Registry& registry, RootKey root, const std::string& path,
                               const ValuesSnapshot& backed_up) {
  if (!registry.OpenRead(root, path)) return Recheck::kDeleted;  // gone, and its values with it
  const std::unique_ptr<RegKey> key = registry.OpenWrite(root, path);
  if (!key) return Recheck::kRefused;
  if (!SameValues(*key, backed_up)) return Recheck::kChanged;
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
  switch (CompareBranchWithBackup(registry, root, path, backed_up)) {
    case Comparison::kGone: return Recheck::kDeleted;
    case Comparison::kChanged: return Recheck::kChanged;
    case Comparison::kSame: break;
  }
  registry.DeleteKey(root, path);
  return registry.OpenRead(root, path) ? Recheck::kRefused : Recheck::kDeleted;
}
