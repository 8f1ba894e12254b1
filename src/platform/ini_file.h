#pragma once
// INI text read with the Windows private-profile rules: section and entry
// names without regard to case, blanks trimmed, one pair of quotes removed
// from a value, the first of repeated names, entries in file order, the
// entry-name list cut to 16384 bytes and values to 2047 characters.
#include <string>
#include <vector>

class IniFile {
 public:
  static constexpr std::size_t kNameListBytes = 16384;
  static constexpr std::size_t kValueChars = 2047;

  IniFile() = default;
  explicit IniFile(const std::string& text);

  bool HasSection(const std::string& section) const;
  // Entry names of a section in file order, each once, as far as they fit a
  // 16384-byte list of zero-terminated names (the last one may be cut).
  std::vector<std::string> ReadSectionKeys(const std::string& section) const;
  std::string ReadString(const std::string& section, const std::string& name,
                         const std::string& fallback) const;

 private:
  struct Entry {
    std::string name;
    std::string value;
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
  };
  const Section* FindSection(const std::string& name) const;
  std::vector<Section> sections_;
};
