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
