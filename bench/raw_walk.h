#pragma once
// The raw walk: what a scan cannot do faster. It reads what the scan reads
// and nothing else: the subkey names of the same reference tables (both
// classes keys, both registry views), the keys the rules examine, each
// redirected rule a second time over the 32-bit view as the scan walks it,
// the values their checks read, and the same file look-ups, made through
// the scan's own look-up memo. It keeps the registered names it read, as a
// scan must, and judges nothing: no reference list is indexed, no name
// matched, no problem recorded.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/registry.h"

// One knowledge-base rule as the walk needs it.
struct RawRule {
  RootKey root = 0;
  std::string pattern;  // below the root, as the scan's key patterns
  std::string check;    // the check's name in capitals
  std::optional<std::string> parameter;
};

// The rules of the knowledge base's [PATHS1] in file order, those a scan
// runs: with a key pattern and a known check.
std::vector<RawRule> ReadRawRules(const std::string& ini_text);

struct RawWalkCounts {
  std::size_t reference_names = 0;  // names read from the reference tables
  std::size_t keys_checked = 0;     // keys a check examines, in both views
  std::size_t values_read = 0;      // value data and value names read
};

RawWalkCounts RawWalk(Registry& registry, FileSystem& files, const std::vector<RawRule>& rules);
