#pragma once
// The raw walk: what a scan cannot do faster. It opens exactly the keys the
// scan's rules examine and reads exactly the values their checks read, with
// no checks at all, and looks each distinct text that needs a file search up
// once.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/registry.h"

// One knowledge-base rule as the walk needs it.
struct RawRule {
  RootKey root = 0;
  std::string pattern;  // below the root; whole "*" components are wildcards
  std::string check;    // the check's name in capitals
  std::optional<std::string> parameter;
};

// The rules of the knowledge base's [PATHS1] in file order, those a scan
// runs: with a key pattern and a known check.
std::vector<RawRule> ReadRawRules(const std::string& ini_text);

struct RawWalkCounts {
  std::size_t reference_names = 0;  // names of the four reference tables
  std::size_t keys_checked = 0;     // keys a check examines
  std::size_t values_read = 0;      // value data and value names read
  std::size_t lookups = 0;          // distinct texts looked up on disk
};

RawWalkCounts RawWalk(Registry& registry, FileSystem& files, const std::vector<RawRule>& rules);
