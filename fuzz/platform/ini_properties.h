#pragma once
// What every query of an INI file promises, whatever the file holds: the
// reader hands out nothing the file does not hold and keeps its limits.
#include <algorithm>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "platform/ini_file.h"

// A fallback no file text can produce: longer than any value read.
inline const std::string kIniFallback(IniFile::kValueChars + 1, '?');

// A value read is the fallback, or a piece of the file within the limit.
inline void CheckIniValue(const std::string& file_text, const std::string& value) {
  if (value == kIniFallback) return;
  FUZZ_CHECK(value.size() <= IniFile::kValueChars);
  FUZZ_CHECK(file_text.find(value) != std::string::npos);
}

// The section's name list and the values of its first names.
inline void CheckIniSection(const IniFile& ini, const std::string& file_text, const std::string& section) {
  const std::string list = ini.SectionKeyList(section);
  FUZZ_CHECK(list.size() <= IniFile::kNameListBytes - 2);
  // Each listed name stands on a line of its own with an "=" after it.
  FUZZ_CHECK(list.size() <= file_text.size());
  FUZZ_CHECK(list.empty() || list.front() != '\0');

  const std::vector<std::string> names = ini.ReadSectionKeys(section);
  std::size_t listed = 0;
  for (const std::string& name : names) {
    FUZZ_CHECK(!name.empty() && name.find('\0') == std::string::npos);
    FUZZ_CHECK(list.compare(listed, name.size(), name) == 0);
    listed += name.size() + 1;
  }
  FUZZ_CHECK(listed <= list.size() + 1);  // the last name may have lost its zero to the cut

  // The first names suffice: the rest take the same path.
  constexpr std::size_t kNamesRead = 32;
  for (std::size_t i = 0; i < std::min(names.size(), kNamesRead); ++i)
    CheckIniValue(file_text, ini.ReadString(section, names[i], kIniFallback));
}
