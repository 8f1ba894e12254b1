#pragma once
// Where a scan snapshots the registered COM names: every key whose subkey
// names fill one of its reference lists, in the order it reads them.
#include <string>
#include <vector>

#include "platform/registry.h"

enum class ReferenceTable { kClassIds, kTypeLibs, kInterfaces, kProgIds };

struct ReferenceTableKey {
  RootKey root = 0;
  std::string path;
  ReferenceTable table = ReferenceTable::kClassIds;
};

std::vector<ReferenceTableKey> ReferenceTableKeys();

// Whether the name is registered in the table now, as a snapshot of the
// tables' subkey names taken now would hold it: a subkey of that name
// (letter case ignored) in any of the table's keys; a ProgID never starts
// with a dot.
bool RegisteredNow(Registry& registry, ReferenceTable table, const std::string& name);
