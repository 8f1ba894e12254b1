#pragma once
// The last look before a deletion: what goes must be exactly what the
// backup holds. The registry is read again and compared with the copy the
// backup was written from; only when they are equal is anything deleted.
// Values are compared and deleted through one open handle; a branch goes
// key by key, deepest first, each key compared and its values deleted
// through one handle before the key itself is removed by the call that
// removes only a key without subkeys: a key that gained a subkey stays,
// with everything above it, and nothing written since a comparison is ever
// taken by a call that removes a whole tree.
#include <string>
#include <vector>

#include "platform/registry.h"
#include "regtext/registry_snapshot.h"

enum class Recheck {
  kDeleted,     // deleted whole, by this deletion
  kChanged,     // differs from the backup: nothing deleted
  kRefused,     // the registry refused the deletion: nothing deleted
  kPartly,      // some of it went; the rest changed while it was deleted, or was refused
  kGoneBefore,  // gone before this deletion reached it (another program, another run)
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
// at path. Of two deletions at once, the one that deleted the first value
// present in the copy deleted the problem; the other finds it gone before.
Recheck DeleteValuesAsBackedUp(Registry& registry, RootKey root, const std::string& path,
                               const ValuesSnapshot& backed_up);
// The key at path with everything below it, as above. The problem is this
// deletion's when it removed the top key itself.
Recheck DeleteBranchAsBackedUp(Registry& registry, RootKey root, const std::string& path,
                               const BranchSnapshot& backed_up);
