#pragma once
// The last look before a deletion: what goes must be exactly what the
// backup holds. The registry is read again and compared with the copy the
// backup was written from; only when they are equal is anything deleted,
// through the handle just read where the registry calls allow it.
#include <string>
#include <vector>

#include "platform/registry.h"
#include "regtext/registry_snapshot.h"

enum class Recheck {
  kDeleted,   // gone (or gone already)
  kChanged,   // differs from the backup: nothing deleted
  kRefused,   // the registry refused the deletion
};

enum class Comparison {
  kGone,     // the key is not there
  kChanged,  // differs from the backup
  kSame,
};

// What the registry holds now against the copy, deleting nothing.
Comparison CompareValuesWithBackup(Registry& registry, RootKey root, const std::string& path,
                                   const ValuesSnapshot& backed_up);
Comparison CompareBranchWithBackup(Registry& registry, RootKey root, const std::string& path,
                                   const BranchSnapshot& backed_up);

// The values of the copy (absent ones must still be absent), from the key
// at path.
Recheck DeleteValuesAsBackedUp(Registry& registry, RootKey root, const std::string& path,
                               const ValuesSnapshot& backed_up);
// The key at path with everything below it.
Recheck DeleteBranchAsBackedUp(Registry& registry, RootKey root, const std::string& path,
                               const BranchSnapshot& backed_up);
