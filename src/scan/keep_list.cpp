#include "scan/keep_list.h"

#include <algorithm>

#include "platform/case_fold.h"
#include "platform/key_path.h"

namespace {

constexpr std::string_view kUnnamedValue = "(Default)";

bool SameValueName(std::string_view kept, std::string_view name) { return EqualsNoCase(kept, name); }

// The registry's name of a listed value: "(Default)" is the unnamed one.
std::string RegistryValueName(const std::string& listed) {
  return listed == kUnnamedValue ? std::string() : listed;
}

struct Pattern {
  const std::vector<std::string>& components;
  bool wildcards;
};

// Whether the pattern's first path.size() components match the path.
bool PrefixMatches(const Pattern& pattern, const std::vector<std::string>& path) {
  if (pattern.components.size() < path.size()) return false;
  for (std::size_t i = 0; i < path.size(); ++i)
    if (!ComponentMatches(pattern.components[i], path[i], pattern.wildcards)) return false;
  return true;
}

bool PathMatches(const Pattern& pattern, const std::vector<std::string>& path) {
  return pattern.components.size() == path.size() && PrefixMatches(pattern, path);
}

std::string Describe(const std::string& key, const std::optional<std::string>& value) {
  return value ? "the value \"" + *value + "\" of " + key : key;
}

}  // namespace

std::vector<std::string> KeyPathComponents(std::string_view path) {
  std::vector<std::string> components;
  std::size_t start = 0;
  for (;;) {
    const std::size_t slash = path.find('\\', start);
    components.emplace_back(path.substr(start, slash == std::string_view::npos ? path.npos : slash - start));
    if (slash == std::string_view::npos) return components;
    start = slash + 1;
  }
}

bool ComponentMatches(std::string_view pattern, std::string_view name, bool wildcards) {
  return (wildcards && pattern == "*") || EqualsNoCase(pattern, name);
}

void KeepList::Add(KeptEntry entry, std::string reason) {
  rules_.push_back(Rule{KeyPathComponents(entry.key), entry.wildcards, std::move(entry.value), std::move(reason)});
}

const std::string* KeepList::KeyKept(std::string_view full_path) const {
  const std::vector<std::string> path = KeyPathComponents(full_path);
  for (const Rule& rule : rules_)
    if (!rule.value && PathMatches({rule.components, rule.wildcards}, path)) return &rule.reason;
  return nullptr;
}

const std::string* KeepList::ValueKept(std::string_view full_path, std::string_view value_name) const {
  const std::vector<std::string> path = KeyPathComponents(full_path);
  for (const Rule& rule : rules_)
    if (rule.value && SameValueName(*rule.value, value_name) && PathMatches({rule.components, rule.wildcards}, path))
      return &rule.reason;
  return nullptr;
}

std::unique_ptr<TErrorClass> KeepList::Filter(std::string_view full_path,
                                              std::unique_ptr<TErrorClass> record) const {
  if (rules_.empty()) return record;
  if (KeyKept(full_path)) return nullptr;
  std::vector<std::string>& names = record->FValueNames;
  if (names.empty()) return record;
  std::erase_if(names, [&](const std::string& name) { return ValueKept(full_path, name) != nullptr; });
  if (names.empty()) return nullptr;
  return record;
}

std::string KeepList::FindBelow(Registry& registry, RootKey root, const Rule& rule, const std::string& full_path,
                                const std::string& key_path, std::size_t from) const {
  if (from == rule.components.size()) {
    if (!rule.value) return full_path;
    const std::unique_ptr<RegKey> key = registry.OpenRead(root, key_path);
    if (key && key->QueryValue(RegistryValueName(*rule.value))) return Describe(full_path, rule.value);
    return "";
  }
  const std::string& component = rule.components[from];
  std::vector<std::string> names;
  if (rule.wildcards && component == "*") {
    const std::unique_ptr<RegKey> key = registry.OpenRead(root, key_path);
    if (!key) return "";
    names = key->SubkeyNames();
  } else {
    names.push_back(component);
  }
  for (const std::string& name : names) {
    const std::string below = JoinKeyPath(key_path, name);
    if (!registry.OpenRead(root, below)) continue;
    std::string found = FindBelow(registry, root, rule, full_path + "\\" + name, below, from + 1);
    if (!found.empty()) return found;
  }
  return "";
}

std::string KeepList::KeptInsideKey(Registry& registry, RootKey root, const std::string& full_path) const {
  const std::vector<std::string> path = KeyPathComponents(full_path);
  // The key path below the root: all but the first component.
  const std::size_t slash = full_path.find('\\');
  const std::string key_path = slash == std::string::npos ? "" : full_path.substr(slash + 1);
  for (const Rule& rule : rules_) {
    if (!PrefixMatches({rule.components, rule.wildcards}, path)) continue;
    const std::string found = FindBelow(registry, root, rule, full_path, key_path, path.size());
    if (!found.empty()) return "it would remove " + found + ", and " + rule.reason;
  }
  return "";
}

std::string KeepList::KeptAmongValues(const std::string& full_path, const std::vector<std::string>& value_names) const {
  for (const std::string& name : value_names)
    if (const std::string* reason = ValueKept(full_path, name))
      return "it would remove " + Describe(full_path, name) + ", and " + *reason;
  if (const std::string* reason = KeyKept(full_path)) return "it would change " + full_path + ", and " + *reason;
  return "";
}
