#include "scan/key_pattern.h"

#include <algorithm>
#include <string_view>

#include "platform/case_fold.h"

std::optional<EntryName> SplitEntryName(const std::string& name) {
  const std::string::size_type slash = name.find('\\');
  if (slash == std::string::npos) return std::nullopt;
  return EntryName{name.substr(0, slash + 1), name.substr(slash + 1)};
}

bool ExcludesTableKeys(const std::string& pattern) { return pattern.find("*\\") != std::string::npos; }

namespace {

// The names a wildcard level never enters when the pattern goes on below
// it: the big class tables, which have entries of their own, and the other
// tables of HKEY_CLASSES_ROOT, which hold registrations, not programmatic
// identifiers or file types: a level counted up from inside one of them
// would name the whole table.
constexpr const char* kTableKeys[] = {"CLSID",   "Interface",           "TypeLib",         "AppID",
                                      "Applications", "SystemFileAssociations", "Component Categories",
                                      "MIME",    "Installer",           "PROTOCOLS",       "Media Type",
                                      "DirectShow", "Local Settings",   "Licenses"};
// A registry view: the other half of the registry, under the same names.
// No wildcard level ever enters it; a rule may name it literally.
constexpr const char* kViewKeys[] = {"Wow6432Node"};

template <std::size_t N>
void EraseNamed(std::vector<std::string>& names, const char* const (&table)[N]) {
  std::erase_if(names, [&](const std::string& name) {
    return std::any_of(std::begin(table), std::end(table), [&](const char* key) { return EqualsNoCase(name, key); });
  });
}

}  // namespace

void DropNamesNotWalked(std::vector<std::string>& names, bool exclude_table_keys) {
  std::erase(names, "*");
  EraseNamed(names, kViewKeys);
  if (exclude_table_keys) EraseNamed(names, kTableKeys);
}

PatternToWalk WildcardLevel::Expand(const std::string& name) const {
  std::string expanded = key.empty() ? name : key + "\\" + name;
  const std::size_t below = expanded.size() + 1;
  if (!rest.empty()) expanded += "\\" + rest;
  return PatternToWalk{std::move(expanded), below};
}

std::optional<WildcardLevel> FindWildcardLevel(const PatternToWalk& walk) {
  const std::string& pattern = walk.pattern;
  std::string::size_type start = walk.search_from;
  while (start <= pattern.size()) {
    std::string::size_type end = pattern.find('\\', start);
    if (end == std::string::npos) end = pattern.size();
    const std::string_view component(pattern.data() + start, end - start);
    const std::string::size_type after = std::min(end + 1, pattern.size());
    if (component == "*") return WildcardLevel{pattern.substr(0, start == 0 ? 0 : start - 1), pattern.substr(after)};
    if (component == "**") return WildcardLevel{pattern.substr(0, start + 1), pattern.substr(after)};
    start = end + 1;
  }
  return std::nullopt;
}
