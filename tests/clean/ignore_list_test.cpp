// The ignore list as the settings hold it: readable text, any names, the
// order kept, and what it keeps out of a scan.
#include "clean/ignore_list.h"

#include <gtest/gtest.h>

#include "platform/memory_registry.h"
#include "platform/root_keys.h"

namespace {

TEST(IgnoreListTest, TheListRoundTripsThroughTheSettingsAsReadableText) {
  MemoryRegistry registry;
  EXPECT_TRUE(ReadIgnoreList(registry).empty()) << "no list stored yet";
  const std::vector<IgnoredItem> items{
      {"HKEY_CLASSES_ROOT\\Wow6432Node\\CLSID\\{1}", std::nullopt, "2026-12-07 19:40"},
      {"HKEY_CURRENT_USER\\Software\\Run", "(Default)", "2026-12-07 19:41"},
      {"HKEY_CURRENT_USER\\Software\\Run", "name: with \\ \"quotes\"\t|\xE9", "2026-12-07 19:42"},
  };
  ASSERT_TRUE(WriteIgnoreList(registry, items));
  EXPECT_EQ(ReadIgnoreList(registry), items);

  const std::optional<RegValue> stored = registry.OpenRead(kHkeyCurrentUser, kIgnoreListKey)->QueryValue("2");
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(stored->type, kRegMultiSz);
  const std::string text(stored->data.begin(), stored->data.end());
  constexpr char kExpected[] = "Key: HKEY_CURRENT_USER\\Software\\Run\0Value: (Default)\0Added: 2026-12-07 19:41\0";
  EXPECT_EQ(text, std::string(kExpected, sizeof kExpected));

  ASSERT_TRUE(WriteIgnoreList(registry, {items[2]}));
  EXPECT_EQ(ReadIgnoreList(registry), std::vector<IgnoredItem>{items[2]}) << "a removed item leaves no trace";
  ASSERT_TRUE(WriteIgnoreList(registry, {}));
  EXPECT_EQ(registry.OpenRead(kHkeyCurrentUser, kIgnoreListKey), nullptr);
}

TEST(IgnoreListTest, ValuesThatAreNoItemsArePassedOverAndNumbersKeepTheOrder) {
  MemoryRegistry registry;
  auto key = registry.OpenWrite(kHkeyCurrentUser, kIgnoreListKey);
  auto multi = [](std::string_view text) { return RegValue{kRegMultiSz, {text.begin(), text.end()}}; };
  using namespace std::string_view_literals;
  key->SetValue("10", multi("Key: B\0\0"sv));
  key->SetValue("9", multi("Key: A\0Added: x\0\0"sv));
  key->SetValue("note", multi("Key: C\0\0"sv));
  key->SetValue("3", {kRegSz, {'K', 0}});
  key->SetValue("4", multi("Value: v\0\0"sv));
  const std::vector<IgnoredItem> items = ReadIgnoreList(registry);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].key, "A");
  EXPECT_EQ(items[0].added, "x");
  EXPECT_EQ(items[1].key, "B");
}

TEST(IgnoreListTest, AddingKeepsOneItemPerKeyOrValueWhateverTheCase) {
  std::vector<IgnoredItem> items;
  EXPECT_TRUE(AddIgnored(items, {"HKEY_CURRENT_USER\\Run", std::nullopt, "d"}));
  EXPECT_FALSE(AddIgnored(items, {"hkey_current_user\\RUN", std::nullopt, "e"}));
  EXPECT_TRUE(AddIgnored(items, {"HKEY_CURRENT_USER\\Run", "Tool", "d"}));
  EXPECT_FALSE(AddIgnored(items, {"HKEY_CURRENT_USER\\Run", "TOOL", "d"}));
  EXPECT_TRUE(AddIgnored(items, {"HKEY_CURRENT_USER\\Run", "Other", "d"}));
  EXPECT_EQ(items.size(), 3u);
  EXPECT_EQ(IgnoredDate({2026, 1, 2, 3, 4, 5}), "2026-01-02 03:04");

  KeepList kept;
  KeepIgnored(items, kept);
  EXPECT_EQ(*kept.KeyKept("HKEY_CURRENT_USER\\run"), kIgnoredReason);
  EXPECT_NE(kept.ValueKept("HKEY_CURRENT_USER\\Run", "other"), nullptr);
}

}  // namespace
