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
#include "platform/device_names.h"
#include "platform/sha256.h"
#include "support/no_mail.h"

namespace {

BackupRecord Record(const std::string& file, int problems = 1, const std::string& time = "2026-12-08 00:41:07") {
  BackupRecord record;
  record.file = file;
  record.time = time;
  record.made_by = "Delete All";
  record.keys = 2;
  record.values = 3;
  record.problems = problems;
  record.program = "Tarnel";
  return record;
}

std::string Time(int second) { return BackupTime({2026, 12, 8, second / 3600, second / 60 % 60, second % 60}); }

TEST(BackupHistoryTest, EachRecordIsASubkeyOfItsOwnReadNewestFirstAfterThoseOfEarlierVersions) {
  MemoryRegistry registry;
  EXPECT_TRUE(ReadBackupHistory(registry).empty());
  // Written by an earlier version: "1" the newest.
  ImportRegText(registry, "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Vexa\\Quellin\\Backups\\1]\r\n"
                          "\"File\"=\"C:\\\\b\\\\old1.reg\"\r\n\"Problems\"=dword:00000002\r\n"
                          "[HKEY_CURRENT_USER\\Software\\Vexa\\Quellin\\Backups\\2]\r\n"
                          "\"File\"=\"C:\\\\b\\\\old2.reg\"\r\n");
  BackupRecord two = Record("C:\\b\\two.reg", 4, Time(5));
  two.refused = 1;
  two.partly = 2;
  two.size = 5000000000ull;
  two.sha256 = std::string(64, 'a');
  ASSERT_TRUE(StoreBackupRecord(registry, Record("C:\\b\\one.reg", 1, Time(3))));
  ASSERT_TRUE(StoreBackupRecord(registry, two));
  const std::vector<BackupRecord> records = ReadBackupHistory(registry);
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[0].file, "C:\\b\\two.reg");
  EXPECT_EQ(records[0].refused, 1);
  EXPECT_EQ(records[0].partly, 2);
  EXPECT_EQ(records[0].size, 5000000000ull) << "sizes beyond 4 GB";
  EXPECT_EQ(records[0].sha256, two.sha256);
  EXPECT_EQ(records[0].program, "Tarnel");
  EXPECT_EQ(records[1].file, "C:\\b\\one.reg");
  EXPECT_EQ(records[2].file, "C:\\b\\old1.reg");
  EXPECT_EQ(records[2].problems, 2);
  EXPECT_EQ(records[3].file, "C:\\b\\old2.reg");
  EXPECT_TRUE(ForgetBackupRecord(registry, "c:\\B\\ONE.reg"));
  EXPECT_FALSE(ForgetBackupRecord(registry, "C:\\b\\one.reg"));
  EXPECT_EQ(ReadBackupHistory(registry).size(), 3u);
}

// 10,000 records (a history grown by a program that never pruned, or
// planted): adding one lists the newest 100, the new one first, and removes
// the rest only after it is in; no record is ever written again.
TEST(BackupHistoryTest, AddingNeverRewritesARecordAndPrunesTheOldestOnlyAfterTheNewOneIsIn) {
  MemoryRegistry registry;
  for (int i = 0; i < 10000; ++i) {
    const auto key = registry.OpenWrite(kHkeyCurrentUser, std::string(kBackupHistoryKey) + "\\20261207" +
                                                              std::to_string(100000 + i) + "-0000000000000000");
    const std::string file = "C:\\b\\" + std::to_string(i) + ".reg";
    key->SetValue("File", RegValue{kRegSz, {file.begin(), file.end()}});
  }
  const auto newest_old = registry.OpenRead(kHkeyCurrentUser, std::string(kBackupHistoryKey) + "\\20261207109999-0000000000000000");
  ASSERT_NE(newest_old, nullptr);
  ASSERT_EQ(ReadBackupHistory(registry).size(), kBackupHistoryLimit);
  ASSERT_TRUE(StoreBackupRecord(registry, Record("C:\\b\\new.reg", 1, "2026-12-08 10:00:00")));
  const std::vector<BackupRecord> records = ReadBackupHistory(registry);
  ASSERT_EQ(records.size(), kBackupHistoryLimit);
  EXPECT_EQ(records[0].file, "C:\\b\\new.reg");
  EXPECT_EQ(records[1].file, "C:\\b\\9999.reg");
  EXPECT_EQ(records.back().file, "C:\\b\\9901.reg");
  EXPECT_EQ(registry.OpenRead(kHkeyCurrentUser, kBackupHistoryKey)->SubkeyNames().size(), kBackupHistoryLimit);
  EXPECT_EQ(newest_old->QueryValue("Time"), std::nullopt) << "an older record is never given the new data";
}

TEST(BackupHistoryTest, ARecordCutOffBeforeItsFileNameIsPassedOver) {
  MemoryRegistry registry;
  ASSERT_TRUE(StoreBackupRecord(registry, Record("a.reg", 1, Time(1))));
  ASSERT_TRUE(StoreBackupRecord(registry, Record("b.reg", 1, Time(2))));
  const std::vector<BackupRecord> stored = ReadBackupHistory(registry);
  registry.OpenWrite(kHkeyCurrentUser, std::string(kBackupHistoryKey) + "\\" + stored[0].id)->DeleteValue("File");
  registry.OpenWrite(kHkeyCurrentUser, std::string(kBackupHistoryKey) + "\\" + stored[1].id)->SetValue("Keys", {kRegSz, {'9', 0}});
  const std::vector<BackupRecord> records = ReadBackupHistory(registry);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].file, "a.reg");
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
  auto record = [](const std::string& file, int keys, int values) {
    BackupRecord made = Record(file);
    made.keys = keys;
    made.values = values;
    return made;
  };
  const std::vector<BackupEntry> entries =
      BackupEntries({record("C:\\b\\whole.reg", 2, 2), record("C:\\b\\cut.reg", 2, 2), record("C:\\b\\old.reg", 1, 1),
                     record("C:\\b\\oldcut.reg", 1, 1), record("C:\\b\\gone.reg", 1, 1)},
                    files, "");
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
  const std::vector<BackupEntry> entries = BackupEntries({Record("c:\\B\\RECORDED.reg")}, files, "C:\\b");
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_TRUE(entries[0].recorded);
  auto entry = [&](const std::string& name) {
    for (const BackupEntry& listed : entries)
      if (listed.record.file == "C:\\b\\" + name) return listed;
    ADD_FAILURE() << name << " not listed";
    return BackupEntry{};
  };
  EXPECT_FALSE(entry("renamed.reg").recorded);
  EXPECT_EQ(entry("renamed.reg").state, BackupFileState::kIntact);
  EXPECT_EQ(entry("renamed.reg").record.keys, 1);
  EXPECT_EQ(entry("renamed.reg").record.values, 1);
  EXPECT_EQ(entry("08_12_26;12-41-07 (AM).reg").state, BackupFileState::kUnsealed);
  EXPECT_EQ(entry("08_12_26;12-41-07 (AM).reg").record.time, "2026-12-08 00:41:07") << "the time its name gives";
  EXPECT_EQ(entry("08_12_26;01-02-03 (PM)_2.reg").record.time, "2026-12-08 13:02:03");
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

// The record says what the file was when written: a file replaced since by
// other data of its name, or grown, is "changed since it was made"; a name
// of a device or a folder is never opened as a file.
TEST(BackupCenterTest, ARecordKnowsItsFileBySizeAndHashAndNeverOpensADevice) {
  MemoryRegistry registry;
  ImportRegText(registry, "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n\"x\"=\"1\"\r\n[HKEY_CURRENT_USER\\A\\B]\r\n"
                          "\"y\"=hex:01,02\r\n\"z\"=\"3\"\r\n");
  MemoryFileSystem files;
  files.SetCurrentFolder("C:\\b");
  FixedClock clock{{2026, 12, 8, 1, 2, 3}};
  NoMail mail;
  ResultTree tree;
  TBuck journal{tree, registry, files, clock, mail};
  journal.BeginBackupFile();
  ProblemDeletion deletion{tree, registry, journal};
  const DeletionOutcome outcome =
      deletion.DeleteProblem(*InsertProblemPath(tree, *tree.Top(), "HKEY_CURRENT_USER\\A",
                                                std::make_unique<TErrorClass>("File not found", 1)));
  ASSERT_TRUE(outcome.deleted);
  ASSERT_TRUE(RecordDeletion(registry, journal, "Delete Key", "Tarnel", SummaryOf(outcome), clock.Now()));
  std::vector<BackupRecord> records = ReadBackupHistory(registry);
  ASSERT_EQ(records.size(), 1u);
  const std::string file = *files.ReadFile(journal.FileName());
  EXPECT_EQ(records[0].file, "C:\\b\\08_12_26;01-02-03 (AM).reg");
  EXPECT_EQ(records[0].time, "2026-12-08 01:02:03");
  EXPECT_EQ(records[0].made_by, "Delete Key");
  EXPECT_EQ(records[0].program, "Tarnel");
  EXPECT_EQ(records[0].keys, 2);
  EXPECT_EQ(records[0].values, 3);
  EXPECT_EQ(records[0].problems, 1);
  EXPECT_EQ(records[0].size, file.size());
  EXPECT_EQ(records[0].sha256, Sha256Hex(file));
  EXPECT_EQ(BackupEntries(records, files, "").at(0).state, BackupFileState::kIntact);

  std::string other = file;
  other[other.find("\"z\"=") + 5] = 'w';  // same size, other data
  files.AddFile(records[0].file, other);
  EXPECT_EQ(BackupEntries(records, files, "").at(0).state, BackupFileState::kChanged);
  files.AddFile(records[0].file, file + "[HKEY_CURRENT_USER\\More]\r\n");
  const BackupEntry grown = BackupEntries(records, files, "").at(0);
  EXPECT_EQ(grown.state, BackupFileState::kChanged);
  EXPECT_EQ(grown.size, file.size() + 1) << "no more read than one byte past the size written";

  for (const std::string device : {"COM1", "C:\\b\\con.reg", "\\\\.\\pipe\\x", "LPT9:", "\\\\?\\GLOBALROOT\\Device\\X", "C:\\b\\CONIN$"}) {
    records[0].file = device;
    EXPECT_EQ(BackupEntries(records, files, "").at(0).state, BackupFileState::kNotAFile) << device;
  }
  records[0].file = "C:\\b";
  EXPECT_EQ(BackupEntries(records, files, "").at(0).state, BackupFileState::kNotAFile) << "a folder";
  EXPECT_FALSE(NamesDevice("C:\\b\\console.reg"));
  EXPECT_FALSE(NamesDevice("C:\\COM10\\x.reg"));
}

// A run killed after its backup was written recorded nothing: its file, in
// the backup folder, is the latest backup all the same.
TEST(BackupCenterTest, TheLatestBackupIsTheNewestRestorableOneRecordedOrNot) {
  MemoryFileSystem files;
  const std::string sealed = Sealed({"[HKEY_CURRENT_USER\\A]", "\"x\"=dword:00000001"});
  files.AddFile("C:\\b\\08_12_26;01-02-03 (PM).reg", sealed);
  files.AddFile("C:\\b\\08_12_26;03-00-00 (PM).reg", sealed.substr(0, sealed.size() - 10));  // cut short
  files.AddFile("C:\\b\\recorded.reg", sealed);
  BackupRecord recorded = Record("C:\\b\\recorded.reg", 1, "2026-12-08 12:00:00");
  recorded.size = sealed.size();
  recorded.sha256 = Sha256Hex(sealed);
  const std::vector<BackupEntry> entries = BackupEntries({recorded}, files, "C:\\b\\");
  ASSERT_EQ(entries.size(), 3u);
  const std::optional<BackupEntry> latest = LatestBackup(entries);
  ASSERT_TRUE(latest);
  EXPECT_EQ(latest->record.file, "C:\\b\\08_12_26;01-02-03 (PM).reg");
  EXPECT_FALSE(latest->recorded);
  EXPECT_EQ(LatestBackup(BackupEntries({recorded}, files, ""))->record.file, recorded.file);
  EXPECT_FALSE(LatestBackup({}));
}

}  // namespace
