#pragma once
// The user's ignore list: keys and values the user keeps, so that no scan
// reports them and no deletion removes them. Stored per user below the
// settings key, one value per item, as text a person can read in the
// registry editor.
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "scan/keep_list.h"

struct IgnoredItem {
  std::string key;                   // full path as the tree shows it, which names the view
  std::optional<std::string> value;  // none: the key; "(Default)" for the unnamed value
  std::string added;                 // "2026-12-07 19:40"
  bool operator==(const IgnoredItem&) const = default;
};

// Below the settings key of HKEY_CURRENT_USER.
inline constexpr const char* kIgnoreListKey = "Software\\Vexa\\Quellin\\Ignored";
inline constexpr const char* kIgnoreListNotStored =
    "Cannot store the ignore list under HKEY_CURRENT_USER\\Software\\Vexa\\Quellin\\Ignored";
// Why an ignored item is not deleted.
inline constexpr const char* kIgnoredReason = "it is on the ignore list";

// The stored items in their order; none when there is no list. A value of
// the key that is not an item is passed over.
std::vector<IgnoredItem> ReadIgnoreList(Registry& registry);
// Replaces the stored list; false when it could not be written.
bool WriteIgnoreList(Registry& registry, const std::vector<IgnoredItem>& items);

// The time as the list shows when an item was added.
std::string IgnoredDate(const LocalTime& time);
// Appends the item unless the list holds it already (key and value names
// compared without regard to letter case); true when appended.
bool AddIgnored(std::vector<IgnoredItem>& items, IgnoredItem item);
// The items as entries a scan and a deletion keep.
void KeepIgnored(const std::vector<IgnoredItem>& items, KeepList& kept);
// What a scan and a deletion keep: the knowledge base's exclusions, and the
// user's ignore list unless it is left out.
KeepList ReadKeptEntries(Registry& registry, FileSystem& files, const std::string& knowledge_base,
                         bool with_ignore_list);
