// A restore only restores: files that delete, that write into a root key
// itself, or that are Tarnel's own but cut short.
#include <gtest/gtest.h>

#include "clean/restore.h"
#include "platform/fixed_clock.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"
#include "regtext/Buck.h"
#include "regtext/file_seal.h"
#include "regtext/regedit4_reader.h"
#include "platform/root_keys.h"
#include "support/no_mail.h"
#include "support/windows_1252.h"

namespace {

TEST(RestoreRefusal, DeletionLinesAreListedAndCountedApart) {
  const std::string file =
      "REGEDIT4\r\n\r\n"
      "[-HKEY_CURRENT_USER\\Software]\r\n\r\n"
      "[HKEY_CURRENT_USER\\Kept]\r\n\"new\"=\"1\"\r\n\"old\"=-\r\n";
  const RestorePlan plan = PlanRestore(file, SameCodePages());
  EXPECT_EQ(plan.error, "");
  EXPECT_EQ(plan.deletions, (std::vector<std::string>{"line 3: [-HKEY_CURRENT_USER\\Software]",
                                                      "line 7: [HKEY_CURRENT_USER\\Kept] \"old\"=-"}));
  EXPECT_EQ(plan.keys, 1);
  EXPECT_EQ(plan.values, 1) << "only what it writes";
  EXPECT_EQ(RestoreDeletionsRefusal(plan),
            "the file deletes from the registry (line 3: [-HKEY_CURRENT_USER\\Software]); a backup never does");
  EXPECT_NE(RestoreDeletionsQuestion(plan).find("line 7: [HKEY_CURRENT_USER\\Kept] \"old\"=-"), std::string::npos);

  MemoryRegistry registry;
  ImportRegText(registry, "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\X]\r\n[HKEY_CURRENT_USER\\Kept]\r\n\"old\"=\"0\"\r\n");
  EXPECT_EQ(RestoreSummary(ApplyRestore(registry, file, SameCodePages())),
            "Written: 0 keys, 1 value.\r\nAlready there: 1 key, 0 values.\r\nDeleted: 1 key, 1 value.");
  EXPECT_FALSE(registry.OpenRead(kHkeyCurrentUser, "Software"));
}

TEST(RestoreRefusal, ValuesOfAWholeRootKeyAreNotRestored) {
  const RestorePlan plan =
      PlanRestore("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n[HKEY_LOCAL_MACHINE]\r\n\"v\"=\"1\"\r\n", SameCodePages());
  EXPECT_EQ(plan.error, "line 4: values of a whole root key [HKEY_LOCAL_MACHINE]; they are not restored");
  EXPECT_EQ(PlanRestore("REGEDIT4\r\n[HKEY_CURRENT_USER]\r\n", SameCodePages()).error, "")
      << "a header alone writes nothing";
}

class CutShortTest : public testing::Test {
 protected:
  // A backup the journal wrote, in the given code pages.
  std::string Backup(const CodePages& pages) {
    ImportRegText(registry,
                  "REGEDIT4\r\n[HKEY_CURRENT_USER\\Gone]\r\n\"d\"=dword:9e3779b1\r\n"
                  "\"h\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,17,18,19,1a,1b,1c,1d,"
                  "1e,1f\r\n[HKEY_CURRENT_USER\\Gone\\Sub]\r\n\"s\"=\"cafe\"\r\n");
    TBuck journal{tree, registry, files, clock, mail, pages};
    journal.BeginBackupFile("b.reg");
    EXPECT_TRUE(journal.BackupKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", "Gone"));
    journal.Flush();
    return *files.ReadFile("b.reg");
  }

  MemoryRegistry registry;
  MemoryFileSystem files;
  FixedClock clock{{2026, 12, 7, 12, 0, 0}};
  NoMail mail;
  ResultTree tree;
};

TEST_F(CutShortTest, ABackupCutAtALineEndInsideADwordOrInsideAHexLineIsRefused) {
  const std::string whole = Backup(SameCodePages());
  EXPECT_EQ(PlanRestore(whole, SameCodePages()).error, "");
  const std::size_t dword = whole.find("9E37") + 4;
  const std::size_t hex = whole.find("0A,") + 3;
  const std::size_t line_end = whole.find("\r\n", whole.find("[HKEY_CURRENT_USER\\Gone\\Sub]")) + 2;
  const std::size_t end_line = whole.find(FileSealEndLine({2, 3}));
  ASSERT_NE(end_line, std::string::npos);
  for (const std::size_t cut : {dword, hex, line_end, end_line}) {
    const RestorePlan plan = PlanRestore(whole.substr(0, cut), SameCodePages());
    EXPECT_EQ(plan.error.rfind("the file is cut short at line ", 0), 0u) << cut << ": " << plan.error;
  }
  EXPECT_EQ(PlanRestore(whole.substr(0, dword), SameCodePages()).error, "the file is cut short at line 5");
  // Another file's own end line, or counts that differ, are no seal.
  std::string miscounted = whole;
  miscounted.replace(end_line, FileSealEndLine({2, 3}).size(), FileSealEndLine({2, 4}));
  EXPECT_NE(PlanRestore(miscounted, SameCodePages()).error, "");
}

TEST_F(CutShortTest, TheLaterUtf16FormIsSealedAlike) {
  const Utf8CodePage utf8;
  const Windows1252 cp1252;
  const CodePages pages{utf8, cp1252};  // a name the system code page lacks: the UTF-16 form
  registry.OpenWrite(kHkeyCurrentUser, "Gone\\\xD0\xA2");
  const std::string whole = Backup(pages);
  ASSERT_EQ(whole.substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(PlanRestore(whole, pages).error, "");
  const RestorePlan cut = PlanRestore(whole.substr(0, whole.size() - 20), pages);
  EXPECT_EQ(cut.error.rfind("the file is cut short at line ", 0), 0u) << cut.error;
}

TEST(RestoreRefusal, FilesFromElsewhereRestoreAsBefore) {
  const std::string file = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n\"v\"=dword:00009e37";
  EXPECT_EQ(PlanRestore(file, SameCodePages()).error, "") << "no opening line of ours: nothing to tell";
}

}  // namespace
