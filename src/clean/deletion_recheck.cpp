#include "clean/deletion_recheck.h"

#include <memory>

namespace {

bool SameValues(RegKey& key, const ValuesSnapshot& backed_up) {
  for (const auto& [name, value] : backed_up)
    if (key.QueryValue(name) != value) return false;
  return true;
}

// Every value of the copy that was there is gone now.
bool NoneLeft(RegKey& key, const ValuesSnapshot& backed_up) {
  for (const auto& [name, value] : backed_up)
    if (value && key.QueryValue(name)) return false;
  return true;
}

enum class KeyStep { kDeleted, kGone, kChanged, kRefused };

// One key of a branch whose subkeys went before it: still without subkeys
// and with the values of its copy, its values go through the handle that
// compared them, then the key. took: whether anything of it went.
KeyStep DeleteKeyAsCopied(Registry& registry, RootKey root, const KeySnapshot& copy, bool& took) {
  {
    const std::unique_ptr<RegKey> key = registry.OpenExisting(root, copy.path);
    if (!key) return registry.OpenRead(root, copy.path) ? KeyStep::kRefused : KeyStep::kGone;
    if (!key->SubkeyNames().empty() || !key->UnreadableSubkeyNames().empty() ||
        ReadKeySnapshot(*key, copy.path).values != copy.values)
      return KeyStep::kChanged;
    for (const auto& [name, value] : copy.values) {
      const bool deleted = key->DeleteValue(name);
      took = took || deleted;
      if (!deleted && key->QueryValue(name)) return KeyStep::kRefused;
    }
  }
  // A success is not taken on trust: the key must be gone afterwards.
  const bool deleted = registry.DeleteLeafKey(root, copy.path);
  const std::unique_ptr<RegKey> left = registry.OpenRead(root, copy.path);
  if (deleted && !left) {
    took = true;
    return KeyStep::kDeleted;
  }
  if (!left) return KeyStep::kGone;
  return left->SubkeyNames().empty() ? KeyStep::kRefused : KeyStep::kChanged;
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
  const std::unique_ptr<RegKey> key = registry.OpenExisting(root, path);
  // Gone, and its values with it.
  if (!key) return registry.OpenRead(root, path) ? Recheck::kRefused : Recheck::kGoneBefore;
  if (!SameValues(*key, backed_up)) return NoneLeft(*key, backed_up) ? Recheck::kGoneBefore : Recheck::kChanged;
  bool first = true;
  bool first_ours = false;
  bool any_ours = false;
  bool all_gone = true;
  for (const auto& [name, value] : backed_up) {
    if (!value) continue;
    const bool ours = key->DeleteValue(name);
    if (first) first_ours = ours;
    first = false;
    any_ours = any_ours || ours;
    all_gone = all_gone && (ours || !key->QueryValue(name));
  }
  if (!all_gone) return any_ours ? Recheck::kPartly : Recheck::kRefused;
  return first_ours ? Recheck::kDeleted : Recheck::kGoneBefore;
}

Recheck DeleteBranchAsBackedUp(Registry& registry, RootKey root, const std::string& path,
                               const BranchSnapshot& backed_up) {
  switch (CompareBranchWithBackup(registry, root, path, backed_up)) {
    case Comparison::kGone: return Recheck::kGoneBefore;
    case Comparison::kChanged: return Recheck::kChanged;
    case Comparison::kSame: break;
  }
  // Each parent stands before its children in the copy: backwards, every
  // key comes after all of its subkeys.
  bool any_deleted = false;
  KeyStep top = KeyStep::kGone;
  for (auto key = backed_up.rbegin(); key != backed_up.rend(); ++key) top = DeleteKeyAsCopied(registry, root, *key, any_deleted);
  switch (top) {
    case KeyStep::kDeleted: return Recheck::kDeleted;
    case KeyStep::kGone: return Recheck::kGoneBefore;
    case KeyStep::kChanged: return any_deleted ? Recheck::kPartly : Recheck::kChanged;
    case KeyStep::kRefused: break;
  }
  return any_deleted ? Recheck::kPartly : Recheck::kRefused;
}
