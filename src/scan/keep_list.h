#pragma once
// What the user keeps and the rules file excludes: keys, or single values
// of keys, that a scan never reports and a deletion never removes, not even
// with a parent key that a problem's level deletes.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"
#include "scan/Errors.h"

struct KeptEntry {
  // A key's full path, root name first; names match without regard to
  // letter case. With wildcards, a component "*" stands for any one name.
  std::string key;
  // None: the whole key (every problem of it). Otherwise one value of it,
  // "(Default)" for the unnamed value.
  std::optional<std::string> value;
  bool wildcards = false;
  bool operator==(const KeptEntry&) const = default;
};

class KeepList {
 public:
  // reason: why the entry is kept, as a refusal names it ("it is on the
  // ignore list").
  void Add(KeptEntry entry, std::string reason);
  bool Empty() const { return rules_.empty(); }

  // The reason a key or one of its values is kept; null when it is not.
  const std::string* KeyKept(std::string_view full_path) const;
  const std::string* ValueKept(std::string_view full_path, std::string_view value_name) const;

  // The record with its kept values taken out; null when the key is kept,
  // or when every value the record named is.
  std::unique_ptr<TErrorClass> Filter(std::string_view full_path, std::unique_ptr<TErrorClass> record) const;

  // Why deleting the key with its subkeys must not happen: a kept key, or a
  // kept value, at or below it that the registry holds now. Empty when
  // nothing kept would go.
  std::string KeptInsideKey(Registry& registry, RootKey root, const std::string& full_path) const;
  // Why deleting these values of the key must not happen; empty when none
  // of them is kept.
  std::string KeptAmongValues(const std::string& full_path, const std::vector<std::string>& value_names) const;

 private:
  struct Rule {
    std::vector<std::string> components;
    bool wildcards;
    std::optional<std::string> value;
    std::string reason;
  };
  // The existing key or value below key_path that the rule's components
  // from index `from` on name; empty when there is none.
  std::string FindBelow(Registry& registry, RootKey root, const Rule& rule, const std::string& full_path,
                        const std::string& key_path, std::size_t from) const;

  std::vector<Rule> rules_;
};

// The components of a key path, split at backslashes.
std::vector<std::string> KeyPathComponents(std::string_view path);
// Whether a pattern component matches a name; "*" matches any name when
// wildcards count.
bool ComponentMatches(std::string_view pattern, std::string_view name, bool wildcards = true);
