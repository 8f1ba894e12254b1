#pragma once
// What a backup copied from the registry, kept to be compared with the
// registry right before the deletion: what is deleted must be what the
// backup gives back.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/key_path.h"
#include "platform/registry.h"

// Values by name (as the registry spells it; "" the default value), each with
// its data, or nothing when it was absent or could not be read.
using ValuesSnapshot = std::vector<std::pair<std::string, std::optional<RegValue>>>;

struct KeySnapshot {
  std::string path;                         // below the root key
  std::optional<std::string> class_name;    // nothing when it could not be read
  ValuesSnapshot values;                    // every value, in registry order
  std::vector<std::string> subkeys;         // in registry order
  bool operator==(const KeySnapshot&) const = default;
};

// A key and every key below it, each parent before its children.
using BranchSnapshot = std::vector<KeySnapshot>;

// The key's class, values and subkey names as they are now.
KeySnapshot ReadKeySnapshot(RegKey& key, const std::string& path);
// The named values as they are now; the names as given.
ValuesSnapshot ReadValuesSnapshot(RegKey& key, const std::vector<std::string>& names);
// The branch as it is now; nothing when its top key is gone. A subkey gone
// while it is read leaves an entry without values or subkeys and an
// unreadable class: it cannot equal a copy of a key that existed.
std::optional<BranchSnapshot> ReadBranchSnapshot(Registry& registry, RootKey root, const std::string& path);

// What one deletion's backup copied: the key with everything below it, or
// named values of the key (absent ones noted as such).
struct BackupCopy {
  KeyPath key;
  BranchSnapshot branch;
  ValuesSnapshot values;
};
