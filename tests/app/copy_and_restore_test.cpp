// The clipboard texts of the value list, and restoring a backup file.
#include <gtest/gtest.h>

#include "app/copy_texts.h"
#include "clean/restore.h"
#include "platform/memory_registry.h"
#include "platform/root_keys.h"

namespace {

TEST(CopyTexts, NamesAndValuesOneALineWithNoBreakAfterTheLast) {
  EXPECT_EQ(CopyNamesText({"A", "B", "C"}), "A\r\nB\r\nC");
  EXPECT_EQ(CopyNamesText({"(Default)"}), "(Default)");
  EXPECT_EQ(CopyNamesText({}), "");
  EXPECT_EQ(CopyValuesText(1, {std::string("only")}), "only") << "a list of one row";
  EXPECT_EQ(CopyValuesText(1, {std::nullopt}), std::nullopt) << "no Data cell: the clipboard stays";
  EXPECT_EQ(CopyValuesText(3, {std::nullopt, std::string(""), std::string("b"), std::string("c")}), "b\r\nc");
  EXPECT_EQ(CopyValuesText(2, {std::nullopt}), "") << "put on the clipboard even when empty";
}

constexpr char kBackup[] =
    "REGEDIT4\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Back]\r\n"
    "@=\"default\"\r\n"
    "\"open\"=hex(1):61,62\r\n"
    "\"n\"=dword:00000010\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Back\\Sub]\r\n\r\n"
    "; These keys could not be read; they are not in this file:\r\n"
    "; HKEY_CURRENT_USER\\Software\\Lost\r\n";

TEST(Restore, PlansThenWritesTheExactBytes) {
  const RestorePlan plan = PlanRestore(kBackup, SameCodePages());
  EXPECT_EQ(plan.keys, 2);
  EXPECT_EQ(plan.values, 3);
  EXPECT_EQ(plan.error, "");
  EXPECT_EQ(RestoreQuestion(plan, "C:\\b.reg"), "2 keys and 3 values will be written to the registry from\r\nC:\\b.reg");
  MemoryRegistry registry;
  const RestoreReport report = ApplyRestore(registry, kBackup, SameCodePages());
  EXPECT_EQ(RestoreSummary(report), "Written: 2 keys, 3 values.");
  const auto key = registry.OpenRead(kHkeyCurrentUser, "Software\\Back");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->QueryValue("open"), (RegValue{kRegSz, {'a', 'b'}})) << "no terminator added";
  EXPECT_NE(registry.OpenRead(kHkeyCurrentUser, "Software\\Back\\Sub"), nullptr);
}

TEST(Restore, CountsEachKeyAndValueOnceHoweverOftenTheFileNamesThem) {
  constexpr char kTwice[] =
      "REGEDIT4\r\n\r\n"
      "[HKEY_CURRENT_USER\\Orphan\\CurVer]\r\n@=\"Orphan.2\"\r\n\r\n"
      "[HKEY_CURRENT_USER\\Orphan]\r\n@=\"ProgID\"\r\n\r\n"
      "[HKEY_CURRENT_USER\\orphan\\curver]\r\n@=\"Orphan.2\"\r\n\"Other\"=\"o\"\r\n\r\n";
  const RestorePlan plan = PlanRestore(kTwice, SameCodePages());
  EXPECT_EQ(plan.keys, 2);
  EXPECT_EQ(plan.values, 3);
  MemoryRegistry registry;
  EXPECT_EQ(RestoreSummary(ApplyRestore(registry, kTwice, SameCodePages())), "Written: 2 keys, 3 values.");
}

TEST(Restore, AFileThatCannotBeUsedWritesNothing) {
  const RestorePlan plan = PlanRestore("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\X]\r\n\"v\"=bogus\r\n", SameCodePages());
  EXPECT_EQ(plan.error.rfind("line 4: ", 0), 0u) << plan.error;
  EXPECT_FALSE(PlanRestore("not a registry file", SameCodePages()).error.empty());
  RestoreReport report;
  report.keys = 1;
  report.failures = {"line 3: cannot create HKEY_LOCAL_MACHINE\\X"};
  EXPECT_EQ(RestoreSummary(report), "Written: 1 key, 0 values.\r\nNot written:\r\nline 3: cannot create HKEY_LOCAL_MACHINE\\X");
}

}  // namespace
