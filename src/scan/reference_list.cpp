#include "scan/reference_list.h"

#include <algorithm>

#include "platform/case_fold.h"

void ReferenceList::Assign(std::vector<std::string> names) {
  names_ = std::move(names);
  Reindex();
}

void ReferenceList::Append(const std::vector<std::string>& names) {
  names_.insert(names_.end(), names.begin(), names.end());
  for (const std::string& name : names) folded_.insert(FoldCase(name));
}

void ReferenceList::RemoveStartingWith(char first) {
  std::erase_if(names_, [first](const std::string& name) { return !name.empty() && name[0] == first; });
  Reindex();
}

void ReferenceList::Clear() {
  names_.clear();
  folded_.clear();
}

bool ReferenceList::Contains(const std::string& text) const {
  return folded_.count(FoldCase(text)) != 0;
}

void ReferenceList::Reindex() {
  folded_.clear();
  folded_.reserve(names_.size());
  for (const std::string& name : names_) folded_.insert(FoldCase(name));
}
