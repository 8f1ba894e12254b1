#include "platform/ini_file.h"

#include <algorithm>
#include <string_view>

#include "platform/case_fold.h"
#include "platform/files.h"

bool IsProfileBlank(char c) { return (c >= '\t' && c <= '\r') || c == '\x1a' || c == ' '; }

namespace {

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && IsProfileBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && IsProfileBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view Trim(std::string_view text) { return TrimRight(TrimLeft(text)); }

// Names and values are handed out as C strings: a zero byte ends them.
std::string UpToZero(std::string_view text) { return std::string(text.substr(0, text.find('\0'))); }

std::string ValueAsRead(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::string(value.substr(0, IniFile::kValueChars));
}

}  // namespace

IniFile::IniFile(const std::string& text) {
  AddSection("");
  std::string_view rest(text);
  if (rest.starts_with(kIniUtf8Bom)) rest.remove_prefix(kIniUtf8Bom.size());
  // A line ends at CR or LF; runs of them end one line.
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find_first_of("\r\n"), rest.size());
    AddLine(std::string(Trim(rest.substr(0, end))));
    const std::size_t next = rest.find_first_not_of("\r\n", end);
    rest.remove_prefix(next == std::string_view::npos ? rest.size() : next);
  }
}

void IniFile::AddSection(std::string name) {
  first_section_.try_emplace(FoldCase(name), sections_.size());
  sections_.push_back(Section{std::move(name), {}, {}});
}

void IniFile::AddLine(const std::string& line) {
  if (line.empty()) return;
  if (line.front() == '[') {
    const std::size_t close = line.rfind(']');
    if (close != std::string::npos) {
      AddSection(UpToZero(Trim(std::string_view(line).substr(1, close - 1))));
      return;
    }
  }
  std::string_view name = line;
  std::optional<std::string_view> value;
  if (const std::size_t equals = line.find('='); equals != std::string::npos) {
    name = TrimRight(name.substr(0, equals));
    value = TrimLeft(std::string_view(line).substr(equals + 1));
  }
  Section& section = sections_.back();
  // The profile functions keep only the first of consecutive empty names.
  if (name.empty() && !section.entries.empty() && section.entries.back().name.empty()) return;
  Entry entry{UpToZero(name), value ? std::optional(UpToZero(*value)) : std::nullopt};
  section.first_entry.try_emplace(FoldCase(entry.name), section.entries.size());
  section.entries.push_back(std::move(entry));
}

const IniFile::Section* IniFile::FindSection(const std::string& name) const {
  const auto found = first_section_.find(FoldCase(name));
  return found == first_section_.end() ? nullptr : &sections_[found->second];
}

bool IniFile::HasSection(const std::string& section) const {
  return FindSection(std::string(Trim(section))) != nullptr;
}

std::string IniFile::SectionKeyList(const std::string& section) const {
  const Section* found = FindSection(section);
  if (!found) return {};
  // Two bytes of the buffer stay for the terminators.
  constexpr std::size_t kLimit = kNameListBytes - 2;
  std::string list;
  for (const Entry& entry : found->entries) {
    if (!entry.value || entry.name.starts_with(';')) continue;
    list += entry.name;
    list += '\0';
    if (list.size() >= kLimit) break;
  }
  if (list.size() > kLimit) list.resize(kLimit);
  // An empty first name leaves the buffer looking empty.
  if (list.starts_with('\0')) list.clear();
  return list;
}

std::vector<std::string> IniFile::ReadSectionKeys(const std::string& section) const {
  const std::string list = SectionKeyList(section);
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start < list.size()) {
    const std::size_t end = std::min(list.find('\0', start), list.size());
    if (end == start) break;
    names.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

std::string IniFile::ReadString(const std::string& section, const std::string& name,
                                const std::string& fallback) const {
  const Section* found = FindSection(std::string(Trim(section)));
  if (!found) return fallback;
  const auto entry = found->first_entry.find(FoldCase(Trim(name)));
  if (entry == found->first_entry.end()) return fallback;
  const std::optional<std::string>& value = found->entries[entry->second].value;
  return value ? ValueAsRead(*value) : fallback;
}

std::optional<IniFile> LoadIniFile(FileSystem& files, const std::string& path) {
  std::optional<std::string> text = files.ReadFile(path);
  if (!text) return std::nullopt;
  return IniFile(*text);
}

std::vector<std::pair<std::string, std::string>> IniFile::ReadSectionEntries(const std::string& section) const {
  std::vector<std::pair<std::string, std::string>> entries;
  const Section* found = FindSection(std::string(Trim(section)));
  if (!found) return entries;
  for (const Entry& entry : found->entries)
    if (entry.value && !entry.name.starts_with(';')) entries.emplace_back(entry.name, ValueAsRead(*entry.value));
  return entries;
}
