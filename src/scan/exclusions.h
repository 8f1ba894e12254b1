#pragma once
// The exclusions of a knowledge base: its section [EXCLUDE] lists keys, or
// single values of keys, that are valid although a rule judges them stale.
// One entry a line:
//   ROOT\key\pattern=            the whole key (every problem of it)
//   ROOT\key\pattern=ValueName   one value of it ("(Default)": the unnamed one)
// A component "*" stands for any one name, as in [PATHS1].
#include <optional>
#include <string>
#include <vector>

#include "scan/keep_list.h"

class FileSystem;
class IniFile;

inline constexpr const char* kExcludeSection = "EXCLUDE";
// Why an excluded entry is not deleted.
inline constexpr const char* kExcludedReason = "it is excluded in the knowledge base";

// The section's entries in file order; a name without a backslash or with
// nothing after it, or with a root name that is none, is left out.
std::vector<KeptEntry> ReadExclusions(const IniFile& ini);
// The exclusions of the knowledge base file; none when it cannot be read.
std::vector<KeptEntry> ReadExclusions(FileSystem& files, const std::string& knowledge_base);
void KeepExcluded(const std::vector<KeptEntry>& exclusions, KeepList& kept);

// An [EXCLUDE] line as the reader takes it: none when the reader leaves it
// out.
std::optional<KeptEntry> ExclusionOf(const std::string& name, const std::string& value);
