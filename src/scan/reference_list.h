#pragma once
// A snapshot of registered names (class identifiers, interfaces, type
// libraries, programmatic identifiers). Lookups match whole names without
// regard to letter case, in constant time.
#include <string>
#include <unordered_set>
#include <vector>

class ReferenceList {
 public:
  void Assign(std::vector<std::string> names);
  void Append(const std::vector<std::string>& names);
  // Removes every name whose first character is the given one.
  void RemoveStartingWith(char first);
  void Clear();
  bool Contains(const std::string& text) const;
  // The names in the registry's enumeration order.
  const std::vector<std::string>& Names() const { return names_; }

 private:
  void Reindex();
  std::vector<std::string> names_;
  std::unordered_set<std::string> folded_;
};
