#pragma once
// INI text read with the Windows private-profile rules, as the profile
// functions of the platform read a file: section and entry names without
// regard to ASCII letter case, blanks trimmed, one pair of matching quotes
// removed from a value, the first of repeated names, entries in file order,
// the entry-name list cut to a 16384-byte buffer and values to 2047 characters.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

class FileSystem;

// A file may begin with it; it is no part of the first line.
inline constexpr std::string_view kIniUtf8Bom = "\xEF\xBB\xBF";
// The profile functions count the control characters 9 to 13 and the DOS
// end-of-file mark (Ctrl-Z) as blanks.
bool IsProfileBlank(char c);

class IniFile {
 public:
  static constexpr std::size_t kNameListBytes = 16384;
  static constexpr std::size_t kValueChars = 2047;

  IniFile() = default;
  explicit IniFile(const std::string& text);

  // Looked up like a value's section: blanks around the name do not count.
  bool HasSection(const std::string& section) const;

  // The entry names of a section as the profile function hands them out for
  // a 16384-byte buffer: each name followed by a zero byte, cut after 16382
  // bytes (so the last name may be cut short). Entries without "=" and
  // comments (";") are left out; a repeated name is listed each time. The
  // section name must match exactly but for case. Empty when the section is
  // missing or its first listed name is empty.
  std::string SectionKeyList(const std::string& section) const;

  // The names of SectionKeyList in order, up to the first empty name: a
  // reader of that buffer stops at an empty string.
  std::vector<std::string> ReadSectionKeys(const std::string& section) const;

  // The value of the first entry of that name in the first section of that
  // name, trimmed, without one pair of enclosing quotes, at most 2047
  // characters. The fallback, unchanged, when there is no such entry or the
  // entry has no "=".
  std::string ReadString(const std::string& section, const std::string& name,
                         const std::string& fallback) const;

  // Every entry of the first section of that name that has "=", in file
  // order, each with its own value read as ReadString reads one: a name
  // that repeats is listed with each of its values. Comments (";") are
  // left out. For sections whose lines are a list rather than a lookup.
  std::vector<std::pair<std::string, std::string>> ReadSectionEntries(const std::string& section) const;

 private:
  struct Entry {
    std::string name;
    std::optional<std::string> value;  // absent for a line without "="
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
    std::unordered_map<std::string, std::size_t> first_entry;  // folded name -> index
  };

  void AddSection(std::string name);
  void AddLine(const std::string& line);
  const Section* FindSection(const std::string& name) const;

  // sections_[0] holds the entries above the first section header.
  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> first_section_;  // folded name -> index
};

// The INI file at path, or nothing when it cannot be read.
std::optional<IniFile> LoadIniFile(FileSystem& files, const std::string& path);
