#pragma once
// A snapshot of registered names (class identifiers, interfaces, type
// libraries, programmatic identifiers). Lookups match whole names without
// regard to letter case, in constant time.
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

class ReferenceList {
 public:
  ReferenceList() = default;
  // The index points into the names: a copy would point into the original.
  ReferenceList(const ReferenceList&) = delete;
  ReferenceList& operator=(const ReferenceList&) = delete;

  void Assign(std::vector<std::string> names);
  // Removes every name whose first character is the given one.
  void RemoveStartingWith(char first);
  void Clear();
  bool Contains(const std::string& text) const;
  // The names in the registry's enumeration order.
  const std::vector<std::string>& Names() const { return names_; }

 private:
  // Letter case ignored, so that neither indexing nor a lookup copies a name.
  struct NoCaseHash {
    std::size_t operator()(std::string_view name) const;
  };
  struct NoCaseEqual {
    bool operator()(std::string_view a, std::string_view b) const;
  };

  void Reindex();
  std::vector<std::string> names_;
  // Views of names_, rebuilt whenever names_ changes.
  std::unordered_set<std::string_view, NoCaseHash, NoCaseEqual> index_;
};
