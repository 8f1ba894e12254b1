// What the ignore list and the exclusions keep out of the results: keys
// and values matched by path without regard to letter case, and patterns.
#include "scan/keep_list.h"

#include <gtest/gtest.h>

#include "platform/ini_file.h"
#include "scan/exclusions.h"

namespace {

std::unique_ptr<TErrorClass> Record(std::vector<std::string> values, int level = 0) {
  auto record = std::make_unique<TErrorClass>("File not found", level);
  for (std::string& name : values) record->AddValueName(std::move(name));
  return record;
}

std::vector<std::string> Filtered(const KeepList& kept, const std::string& path, std::vector<std::string> values) {
  const std::unique_ptr<TErrorClass> record = kept.Filter(path, Record(std::move(values)));
  return record ? record->FValueNames : std::vector<std::string>{"<dropped>"};
}

TEST(KeepListTest, AKeptKeyHidesEveryProblemOfItAndOnlyOfIt) {
  KeepList kept;
  kept.Add({"HKEY_CURRENT_USER\\Software\\Run", std::nullopt, false}, "ignored");
  EXPECT_EQ(kept.Filter("hkey_current_user\\SOFTWARE\\run", Record({"a", "b"})), nullptr) << "letter case ignored";
  EXPECT_EQ(kept.Filter("HKEY_CURRENT_USER\\Software\\Run", Record({}, 2)), nullptr);
  EXPECT_NE(kept.Filter("HKEY_CURRENT_USER\\Software\\Run\\Sub", Record({"a"})), nullptr) << "a subkey is not kept";
  EXPECT_NE(kept.Filter("HKEY_CURRENT_USER\\Software", Record({}, 1)), nullptr);
  EXPECT_NE(kept.Filter("HKEY_LOCAL_MACHINE\\Software\\Run", Record({"a"})), nullptr) << "another root";
}

TEST(KeepListTest, AKeptValueHidesOnlyThatValueOfItsKey) {
  KeepList kept;
  kept.Add({"HKEY_CURRENT_USER\\Run", "Tool", false}, "ignored");
  kept.Add({"HKEY_CURRENT_USER\\Run", "(Default)", false}, "ignored");
  EXPECT_EQ(Filtered(kept, "HKEY_CURRENT_USER\\Run", {"(Default)", "tool", "Other"}),
            std::vector<std::string>{"Other"});
  EXPECT_EQ(Filtered(kept, "HKEY_CURRENT_USER\\Run", {"TOOL"}), std::vector<std::string>{"<dropped>"})
      << "nothing left to report";
  EXPECT_EQ(Filtered(kept, "HKEY_CURRENT_USER\\Run\\X", {"Tool"}), std::vector<std::string>{"Tool"});
  EXPECT_EQ(kept.Filter("HKEY_CURRENT_USER\\Run", Record({}, 1))->FLevel, 1) << "a key problem is no value's";
  EXPECT_EQ(kept.KeyKept("HKEY_CURRENT_USER\\Run"), nullptr);
  ASSERT_NE(kept.ValueKept("HKEY_CURRENT_USER\\RUN", "tool"), nullptr);
  EXPECT_EQ(*kept.ValueKept("HKEY_CURRENT_USER\\RUN", "tool"), "ignored");
}

TEST(KeepListTest, AStarIsAWildcardInPatternsAndANameInIgnoredPaths) {
  KeepList patterns;
  patterns.Add({"HKEY_CLASSES_ROOT\\CLSID\\*\\InprocServer32", std::nullopt, true}, "excluded");
  EXPECT_NE(patterns.KeyKept("HKEY_CLASSES_ROOT\\CLSID\\{1}\\InprocServer32"), nullptr);
  EXPECT_EQ(patterns.KeyKept("HKEY_CLASSES_ROOT\\CLSID\\{1}\\x\\InprocServer32"), nullptr) << "one name only";
  EXPECT_EQ(patterns.KeyKept("HKEY_CLASSES_ROOT\\CLSID\\{1}"), nullptr);

  KeepList ignored;
  ignored.Add({"HKEY_CLASSES_ROOT\\*\\shellex", std::nullopt, false}, "ignored");
  EXPECT_NE(ignored.KeyKept("HKEY_CLASSES_ROOT\\*\\shellex"), nullptr);
  EXPECT_EQ(ignored.KeyKept("HKEY_CLASSES_ROOT\\txtfile\\shellex"), nullptr);
}

TEST(KeepListTest, ValuesAboutToBeDeletedAreCheckedByNameAndByTheirKey) {
  KeepList kept;
  kept.Add({"HKEY_CURRENT_USER\\Run", "Tool", false}, "on the list");
  EXPECT_EQ(kept.KeptAmongValues("HKEY_CURRENT_USER\\Run", {"Other"}), "");
  EXPECT_EQ(kept.KeptAmongValues("HKEY_CURRENT_USER\\Run", {"Other", "tool"}),
            "it would remove the value \"tool\" of HKEY_CURRENT_USER\\Run, and on the list");
  kept.Add({"HKEY_CURRENT_USER\\Keep", std::nullopt, false}, "kept");
  EXPECT_EQ(kept.KeptAmongValues("HKEY_CURRENT_USER\\Keep", {"x"}), "it would change HKEY_CURRENT_USER\\Keep, and kept");
}

TEST(ExclusionsTest, TheSectionListsKeysAndValuesOneALineRepeatedNamesIncluded) {
  const IniFile ini(
      "[PATHS1]\nHKEY_CURRENT_USER\\Run=Run,0,LD_\n"
      "[EXCLUDE]\n"
      "; a comment\n"
      "HKEY_CLASSES_ROOT\\CLSID\\*\\InprocServer32=\n"
      "HKEY_CURRENT_USER\\Run=Tool\n"
      "HKEY_CURRENT_USER\\Run = \"Other\"\n"
      "HKEY_NOWHERE\\Run=\n"
      "HKEY_CURRENT_USER\\=\n"
      "NoBackslash=\n");
  const std::vector<KeptEntry> exclusions = ReadExclusions(ini);
  const std::vector<KeptEntry> expected{{"HKEY_CLASSES_ROOT\\CLSID\\*\\InprocServer32", std::nullopt, true},
                                        {"HKEY_CURRENT_USER\\Run", "Tool", true},
                                        {"HKEY_CURRENT_USER\\Run", "Other", true}};
  EXPECT_EQ(exclusions, expected);
  KeepList kept;
  KeepExcluded(exclusions, kept);
  EXPECT_EQ(Filtered(kept, "HKEY_CURRENT_USER\\Run", {"Tool", "other", "Third"}), std::vector<std::string>{"Third"});
  EXPECT_EQ(*kept.KeyKept("HKEY_CLASSES_ROOT\\CLSID\\{9}\\InprocServer32"), kExcludedReason);
  EXPECT_TRUE(ReadExclusions(IniFile("[PATHS1]\nA\\B=x,0,LD_\n")).empty());
}

}  // namespace
