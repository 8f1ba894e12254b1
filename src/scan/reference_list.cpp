#include "scan/reference_list.h"

#include <algorithm>
#include <functional>

#include "platform/case_fold.h"

void ReferenceList::Assign(std::vector<std::string> names) {
  names_ = std::move(names);
  Reindex();
}

void ReferenceList::RemoveStartingWith(char first) {
  std::erase_if(names_, [first](const std::string& name) { return !name.empty() && name[0] == first; });
  Reindex();
}

void ReferenceList::Clear() {
  index_.clear();
  names_.clear();
}

bool ReferenceList::Contains(const std::string& text) const { return index_.count(text) != 0; }

void ReferenceList::Reindex() {
  index_.clear();
  index_.reserve(names_.size());
  for (const std::string& name : names_) index_.insert(name);
}

std::size_t ReferenceList::NoCaseHash::operator()(std::string_view name) const {
  // Folded into a buffer on the stack: no copy on the heap, and the
  // library's hash reads whole words.
  char folded[128];
  if (name.size() > sizeof folded) return std::hash<std::string>{}(FoldCase(name));
  for (std::size_t i = 0; i < name.size(); ++i) folded[i] = FoldCase(name[i]);
  return std::hash<std::string_view>{}(std::string_view(folded, name.size()));
}

bool ReferenceList::NoCaseEqual::operator()(std::string_view a, std::string_view b) const {
  // Names mostly match as written.
  return a == b || EqualsNoCase(a, b);
}
