// The backup history: what a deletion records, how it is stored, its cap,
// and what the restore center makes of the files it names.
#include "clean/backup_history.h"

#include <gtest/gtest.h>

#include "clean/backup_center.h"
#include "clean/deletion.h"
#include "platform/fixed_clock.h"
#include "regtext/regedit4_reader.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"
#include "regtext/file_seal.h"
#include "platform/root_keys.h"
#include "support/no_mail.h"

namespace {

BackupRecord Record(const std::string& file, int problems = 1) {
  return {file, "2026-12-08 00:41:07", "Delete All", 2, 3, problems};
}

TEST(BackupHistoryTest, RecordsRoundTripNewestFirstAndReadableInTheRegistry) {
  MemoryRegistry registry;
  EXPECT_TRUE(ReadBackupHistory(registry).empty());
  const std::vector<BackupRecord> records{Record("C:\\b\\two.reg", 4), {"C:\\b\\one.reg", "t", "--delete", 0, 1, 0}};
  ASSERT_TRUE(WriteBackupHistory(registry, records));
  EXPECT_EQ(ReadBackupHistory(registry), records);
  const auto first = registry.OpenRead(kHkeyCurrentUser, std::string(kBackupHistoryKey) + "\\1");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->QueryValue("File"), (RegValue{kRegSz, {'C', ':', '\\', 'b', '\\', 't', 'w', 'o', '.', 'r', 'e', 'g', 0}}));
  EXPECT_EQ(first->QueryValue("Problems"), (RegValue{kRegDword, {4, 0, 0, 0}}));
  ASSERT_TRUE(WriteBackupHistory(registry, {}));
  EXPECT_EQ(registry.OpenRead(kHkeyCurrentUser, kBackupHistoryKey), nullptr);
}

TEST(BackupHistoryTest, ARewrittenFileReplacesItsRecordAndAddsItsProblems) {
  std::vector<BackupRecord> records;
  AddBackupRecord(records, Record("C:\\b\\scan1.reg", 2));
  AddBackupRecord(records, Record("C:\\b\\scan2.reg", 1));
  BackupRecord again = Record("c:\\B\\SCAN1.reg", 3);
  again.keys = 5;
  AddBackupRecord(records, again);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].file, "c:\\B\\SCAN1.reg");
  EXPECT_EQ(records[0].problems, 5);
  EXPECT_EQ(records[0].keys, 5) << "the file's counts are the newest";
  EXPECT_TRUE(RemoveBackupRecord(records, "C:\\b\\scan2.REG"));
  EXPECT_FALSE(RemoveBackupRecord(records, "C:\\b\\scan2.reg"));
  EXPECT_EQ(records.size(), 1u);
}

TEST(BackupHistoryTest, OnlyTheNewestHundredAreKeptAndTheFilesOfOlderOnesStay) {
  MemoryRegistry registry;
  MemoryFileSystem files;
  files.AddFile("C:\\b\\0.reg", "REGEDIT4\r\n");
  for (int i = 0; i <= 100; ++i) ASSERT_TRUE(StoreBackupRecord(registry, Record("C:\\b\\" + std::to_string(i) + ".reg")));
  const std::vector<BackupRecord> records = ReadBackupHistory(registry);
  ASSERT_EQ(records.size(), kBackupHistoryLimit);
  EXPECT_EQ(records.front().file, "C:\\b\\100.reg");
  EXPECT_EQ(records.back().file, "C:\\b\\1.reg");
  EXPECT_TRUE(files.FileExists("C:\\b\\0.reg"));
  EXPECT_EQ(registry.OpenRead(kHkeyCurrentUser, std::string(kBackupHistoryKey) + "\\101"), nullptr);
}

TEST(BackupHistoryTest, ARecordWithoutFileNameIsPassedOverAndNumbersStopAtAGap) {
  MemoryRegistry registry;
  ASSERT_TRUE(WriteBackupHistory(registry, {Record("a.reg"), Record("b.reg"), Record("c.reg")}));
  registry.OpenWrite(kHkeyCurrentUser, std::string(kBackupHistoryKey) + "\\1")->DeleteValue("File");
  registry.DeleteKey(kHkeyCurrentUser, std::string(kBackupHistoryKey) + "\\3");
  registry.OpenWrite(kHkeyCurrentUser, std::string(kBackupHistoryKey) + "\\2")->SetValue("Keys", {kRegSz, {'9', 0}});
  const std::vector<BackupRecord> records = ReadBackupHistory(registry);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].file, "b.reg");
  EXPECT_EQ(records[0].keys, 0) << "a count that is not a number counts nothing";
}

TEST(BackupHistoryTest, TimesAreSortableLocalTimes) {
  EXPECT_EQ(BackupTime({2026, 12, 8, 0, 41, 7}), "2026-12-08 00:41:07");
  EXPECT_EQ(BackupTime({2027, 1, 31, 23, 5, 59}), "2027-01-31 23:05:59");
}

std::string Sealed(const std::vector<std::string>& body) {
  std::vector<std::string> lines{"REGEDIT4", FileSealOpeningLine()};
  lines.insert(lines.end(), body.begin(), body.end());
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text + FileSealEndLine(CountRegistryLines(lines)) + "\r\n";
}

TEST(BackupCenterTest, EachRecordedFileIsMarkedIntactCutShortUnsealedOrGone) {
  MemoryFileSystem files;
  const std::string whole = Sealed({"[HKEY_CURRENT_USER\\A]", "\"x\"=\"1\"", "\"y\"=\"2\"", "", "[HKEY_CURRENT_USER\\B]"});
  files.AddFile("C:\\b\\whole.reg", whole);
  files.AddFile("C:\\b\\cut.reg", whole.substr(0, whole.find("\"y\"")));
  files.AddFile("C:\\b\\old.reg", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n\"x\"=\"1\"\r\n");
  files.AddFile("C:\\b\\oldcut.reg", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n");
  auto record = [](const std::string& file, int keys, int values) { return BackupRecord{file, "t", "Delete", keys, values, 1}; };
  const std::vector<BackupEntry> entries =
      BackupEntries({record("C:\\b\\whole.reg", 2, 2), record("C:\\b\\cut.reg", 2, 2), record("C:\\b\\old.reg", 1, 1),
                     record("C:\\b\\oldcut.reg", 1, 1), record("C:\\b\\gone.reg", 1, 1)},
                    files, {});
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries[0].state, BackupFileState::kIntact);
  EXPECT_EQ(entries[0].size, whole.size());
  EXPECT_EQ(entries[1].state, BackupFileState::kCutShort);
  EXPECT_EQ(entries[2].state, BackupFileState::kUnsealed) << "written before the end line, and as large as recorded";
  EXPECT_EQ(entries[3].state, BackupFileState::kCutShort) << "fewer values than recorded";
  EXPECT_EQ(entries[4].state, BackupFileState::kGone);
  EXPECT_EQ(entries[4].size, 0u);
}

TEST(BackupCenterTest, TheFolderAddsOurOwnFilesTheHistoryLacksAndNoOthers) {
  MemoryFileSystem files;
  const std::string sealed = Sealed({"[HKEY_CURRENT_USER\\A]", "\"x\"=dword:00000001"});
  files.AddFile("C:\\b\\recorded.reg", sealed);
  files.AddFile("C:\\b\\renamed.reg", sealed);
  files.AddFile("C:\\b\\08_12_26;12-41-07 (AM).reg", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n");
  files.AddFile("C:\\b\\08_12_26;01-02-03 (PM)_2.reg", "REGEDIT4\r\n");
  files.AddFile("C:\\b\\08_12_26;01-02-03 (XM).reg", "REGEDIT4\r\n");
  files.AddFile("C:\\b\\someone else's.reg", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n");
  files.AddFile("C:\\b\\sealed.regx", sealed);  // listed by Windows through its short name A~1.REG
  const std::vector<std::string> folder{"C:\\b\\recorded.reg", "C:\\b\\renamed.reg",
                                        "C:\\b\\08_12_26;12-41-07 (AM).reg", "C:\\b\\08_12_26;01-02-03 (PM)_2.reg",
                                        "C:\\b\\08_12_26;01-02-03 (XM).reg", "C:\\b\\someone else's.reg",
                                        "C:\\b\\missing.reg", "C:\\b\\sealed.regx"};
  const std::vector<BackupEntry> entries =
      BackupEntries({{"c:\\B\\RECORDED.reg", "t", "Delete", 1, 1, 1}}, files, folder);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_TRUE(entries[0].recorded);
  EXPECT_EQ(entries[1].record.file, "C:\\b\\renamed.reg");
  EXPECT_FALSE(entries[1].recorded);
  EXPECT_EQ(entries[1].state, BackupFileState::kIntact);
  EXPECT_EQ(entries[1].record.keys, 1);
  EXPECT_EQ(entries[1].record.values, 1);
  EXPECT_EQ(entries[2].state, BackupFileState::kUnsealed);
  EXPECT_EQ(entries[3].record.file, "C:\\b\\08_12_26;01-02-03 (PM)_2.reg");
}

TEST(BackupCenterTest, UnicodeBackupsAreReadAsText) {
  const std::string text = Sealed({"[HKEY_CURRENT_USER\\A]", "\"x\"=\"1\""});
  std::string utf16 = "\xFF\xFE";
  for (const char c : text) utf16 += std::string{c, '\0'};
  EXPECT_EQ(StateOfBackupText(utf16), BackupFileState::kIntact);
  EXPECT_EQ(StateOfBackupText(utf16.substr(0, utf16.size() - 20)), BackupFileState::kCutShort);
  EXPECT_TRUE(IsOwnBackupFile("C:\\any.reg", utf16));
}

TEST(BackupCenterTest, SizesAndFolders) {
  EXPECT_EQ(SizeText(1), "1 byte");
  EXPECT_EQ(SizeText(1023), "1023 bytes");
  EXPECT_EQ(SizeText(1024), "1 KB");
  EXPECT_EQ(SizeText(1025), "2 KB");
  EXPECT_EQ(FolderOf("C:\\b\\x.reg"), "C:\\b\\");
  EXPECT_EQ(FolderOf("x.reg"), "");
}

TEST(BackupCenterTest, ADeletionRecordsItsFileWithItsCountsAndNoFileNoRecord) {
  MemoryRegistry registry;
  ImportRegText(registry, "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n\"x\"=\"1\"\r\n[HKEY_CURRENT_USER\\A\\B]\r\n"
                          "\"y\"=hex:01,02\r\n\"z\"=\"3\"\r\n");
  MemoryFileSystem files;
  FixedClock clock{{2026, 12, 8, 1, 2, 3}};
  NoMail mail;
  ResultTree tree;
  TBuck journal{tree, registry, files, clock, mail};
  journal.BeginBackupFile();
  auto problem = [&](const std::string& path) {
    return InsertProblemPath(tree, *tree.Top(), path, std::make_unique<TErrorClass>("File not found", 1));
  };
  ASSERT_TRUE(RecordDeletion(registry, files, journal, "Delete Key", 1, clock.Now()));
  EXPECT_TRUE(ReadBackupHistory(registry).empty()) << "no file written (a dry run, a refusal): nothing recorded";

  ProblemDeletion deletion{tree, registry, journal};
  ASSERT_TRUE(deletion.DeleteProblem(*problem("HKEY_CURRENT_USER\\A")).deleted);
  ASSERT_TRUE(RecordDeletion(registry, files, journal, "Delete Key", 1, clock.Now()));
  const std::vector<BackupRecord> records = ReadBackupHistory(registry);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0], (BackupRecord{journal.FileName(), "2026-12-08 01:02:03", "Delete Key", 2, 3, 1}));
}

}  // namespace
