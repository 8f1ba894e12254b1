#include "clean/ignore_list.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/case_fold.h"
#include "scan/exclusions.h"
#include "platform/root_keys.h"

namespace {

// The lines of an item's REG_MULTI_SZ value.
constexpr std::string_view kKeyLine = "Key: ";
constexpr std::string_view kValueLine = "Value: ";
constexpr std::string_view kAddedLine = "Added: ";

std::vector<std::string> MultiStrings(const RegValue& value) {
  std::vector<std::string> strings;
  std::string current;
  for (const std::uint8_t byte : value.data) {
    if (byte != 0) {
      current += static_cast<char>(byte);
    } else if (current.empty()) {
      break;
    } else {
      strings.push_back(std::move(current));
      current.clear();
    }
  }
  if (!current.empty()) strings.push_back(std::move(current));
  return strings;
}

RegValue MultiStringValue(const std::vector<std::string>& strings) {
  RegValue value{kRegMultiSz, {}};
  for (const std::string& text : strings) {
    value.data.insert(value.data.end(), text.begin(), text.end());
    value.data.push_back(0);
  }
  value.data.push_back(0);
  return value;
}

std::optional<IgnoredItem> ItemOf(const RegValue& value) {
  if (value.type != kRegMultiSz) return std::nullopt;
  IgnoredItem item;
  for (const std::string& line : MultiStrings(value)) {
    if (line.starts_with(kKeyLine)) item.key = line.substr(kKeyLine.size());
    else if (line.starts_with(kValueLine)) item.value = line.substr(kValueLine.size());
    else if (line.starts_with(kAddedLine)) item.added = line.substr(kAddedLine.size());
  }
  if (item.key.empty()) return std::nullopt;
  return item;
}

bool SameItem(const IgnoredItem& a, const IgnoredItem& b) {
  if (!EqualsNoCase(a.key, b.key) || a.value.has_value() != b.value.has_value()) return false;
  return !a.value || EqualsNoCase(*a.value, *b.value);
}

}  // namespace

std::vector<IgnoredItem> ReadIgnoreList(Registry& registry) {
  std::vector<IgnoredItem> items;
  const std::unique_ptr<RegKey> key = registry.OpenRead(kHkeyCurrentUser, kIgnoreListKey);
  if (!key) return items;
  // Values "1", "2", ... in their numbers' order, whatever order the
  // registry lists them in.
  std::vector<std::pair<long, std::string>> numbered;
  for (const std::string& name : key->ValueNames()) {
    char* end = nullptr;
    const long number = std::strtol(name.c_str(), &end, 10);
    if (!name.empty() && *end == '\0') numbered.emplace_back(number, name);
  }
  std::sort(numbered.begin(), numbered.end());
  for (const auto& [number, name] : numbered) {
    const std::optional<RegValue> value = key->QueryValue(name);
    if (value)
      if (std::optional<IgnoredItem> item = ItemOf(*value)) items.push_back(std::move(*item));
  }
  return items;
}

bool WriteIgnoreList(Registry& registry, const std::vector<IgnoredItem>& items) {
  registry.DeleteKey(kHkeyCurrentUser, kIgnoreListKey);
  if (items.empty()) return !registry.OpenRead(kHkeyCurrentUser, kIgnoreListKey);
  const std::unique_ptr<RegKey> key = registry.OpenWrite(kHkeyCurrentUser, kIgnoreListKey);
  if (!key) return false;
  bool written = true;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const IgnoredItem& item = items[i];
    std::vector<std::string> lines{std::string(kKeyLine) + item.key};
    if (item.value) lines.push_back(std::string(kValueLine) + *item.value);
    lines.push_back(std::string(kAddedLine) + item.added);
    written = key->SetValue(std::to_string(i + 1), MultiStringValue(lines)) && written;
  }
  return written;
}

std::string IgnoredDate(const LocalTime& time) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", time.year, time.month, time.day, time.hour,
                time.minute);
  return text;
}

bool AddIgnored(std::vector<IgnoredItem>& items, IgnoredItem item) {
  if (std::any_of(items.begin(), items.end(), [&](const IgnoredItem& held) { return SameItem(held, item); }))
    return false;
  items.push_back(std::move(item));
  return true;
}

void KeepIgnored(const std::vector<IgnoredItem>& items, KeepList& kept) {
  for (const IgnoredItem& item : items) kept.Add(KeptEntry{item.key, item.value, false}, kIgnoredReason);
}

KeepList ReadKeptEntries(Registry& registry, FileSystem& files, const std::string& knowledge_base,
                         bool with_ignore_list) {
  KeepList kept;
  KeepExcluded(ReadExclusions(files, knowledge_base), kept);
  if (with_ignore_list) KeepIgnored(ReadIgnoreList(registry), kept);
  return kept;
}
