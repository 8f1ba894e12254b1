#include "scan/key_pattern.h"

#include <algorithm>
#include <string_view>

std::optional<EntryName> SplitEntryName(const std::string& name) {
  const std::string::size_type slash = name.find('\\');
  if (slash == std::string::npos) return std::nullopt;
  return EntryName{name.substr(0, slash + 1), name.substr(slash + 1)};
}

bool ExcludesTableKeys(const std::string& pattern) { return pattern.find("*\\") != std::string::npos; }

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
