#include "platform/case_fold.h"

std::string FoldCase(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) c = FoldCase(c);
  return folded;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

const std::string* FindName(const std::vector<std::string>& names, std::string_view name) {
  for (const std::string& listed : names)
    if (listed == name) return &listed;
  for (const std::string& listed : names)
    if (EqualsNoCase(listed, name)) return &listed;
  return nullptr;
}
