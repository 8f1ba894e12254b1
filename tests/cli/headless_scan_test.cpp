#include "cli/headless_scan.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/scan_options.h"
#include "platform/fixed_clock.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"
#include "clean/ignore_list.h"
#include "regtext/file_seal.h"
#include "regtext/regedit4_reader.h"
#include "platform/root_keys.h"

#include "support/no_mail.h"

namespace {

class HeadlessScanTest : public testing::Test {
 protected:
  void SetUp() override {
    ImportRegText(registry,
                  "REGEDIT4\n\n"
                  "[HKEY_CURRENT_USER\\Software\\Run]\n"
                  "\"gone\"=\"C:\\\\Gone\\\\gone.exe\"\n"
                  "\"here\"=\"C:\\\\WINDOWS\\\\notepad.exe\"\n");
    files.AddFile("C:\\WINDOWS\\notepad.exe");
  }
  int Run(const std::vector<std::string>& args) {
    ParsedScanOptions parsed = ParseScanOptions(args);
    EXPECT_EQ(parsed.error, "");
    HeadlessScan scan(HeadlessSystem{registry, files, clock, mail}, out, err, nullptr);
    return scan.Run(parsed.options);
  }
  void SetKnowledgeBase(const std::string& text) { files.AddFile(files.ExeFolder() + "Knowbase.ini", text); }

  MemoryRegistry registry;
  MemoryFileSystem files;
  FixedClock clock{LocalTime{2026, 12, 6, 21, 5, 9}};
  NoMail mail;
  std::ostringstream out, err;
};

TEST_F(HeadlessScanTest, ListsEachProblemWithItsDetailsAndACount) {
  SetKnowledgeBase("[PATHS1]\nHKEY_CURRENT_USER\\Software\\Run=Run,0,LD_\n");
  EXPECT_EQ(Run({}), kExitProblemsFound);
  EXPECT_EQ(out.str(),
            "HKEY_CURRENT_USER\\Software\\Run\n"
            "    File not found; level 0; values: \"gone\"\n"
            "1 problem found.\n");
  EXPECT_EQ(err.str(), "");
}

TEST_F(HeadlessScanTest, NothingFoundExitsClean) {
  SetKnowledgeBase("[PATHS1]\nHKEY_CURRENT_USER\\Software\\Missing=Run,0,LD_\n");
  EXPECT_EQ(Run({}), kExitClean);
  EXPECT_EQ(out.str(), "0 problems found.\n");
}

TEST_F(HeadlessScanTest, AnUnreadableKnowledgeBaseIsAUsageErrorWithOneClearLine) {
  EXPECT_EQ(Run({}), kExitUsage);
  EXPECT_EQ(err.str(), "TarnelScan: cannot read the knowledge base C:\\Program Files\\Tarnel\\Knowbase.ini\n");
  err.str("");
  files.AddFile("C:\\rules.ini", "[OTHER]\nA=B\n");
  EXPECT_EQ(Run({"--knowbase", "C:\\rules.ini"}), kExitUsage);
  EXPECT_EQ(err.str(), "TarnelScan: the knowledge base C:\\rules.ini has no section [PATHS1]\n");
  err.str("");
  files.AddFile("C:\\empty.ini", "[PATHS1]\n; no rules yet\n");
  EXPECT_EQ(Run({"--knowbase", "C:\\empty.ini"}), kExitUsage);
  EXPECT_EQ(err.str(), "TarnelScan: the knowledge base C:\\empty.ini has no rules in [PATHS1]\n");
  EXPECT_EQ(out.str(), "");
}

// Entries the scanner would skip, every one: no root, no check field, an
// unknown check, a check name with blanks. A scan would find nothing.
TEST_F(HeadlessScanTest, AKnowledgeBaseWithoutAUsableRuleIsAUsageErrorNamingItsFirstLine) {
  files.AddFile("C:\\unusable.ini",
                "[PATHS1]\nSoftware\\Run=Run,0,LD_\nHKEY_CURRENT_USER\\Run=Run\n"
                "HKEY_CURRENT_USER\\Run3=Run,0,NOSUCH_\nHKEY_CURRENT_USER\\Run2=Run,0, LD_\n");
  EXPECT_EQ(Run({"--knowbase", "C:\\unusable.ini"}), kExitUsage);
  EXPECT_EQ(err.str(),
            "TarnelScan: the knowledge base C:\\unusable.ini has no usable rule in [PATHS1]; the first line the "
            "scanner skips: Software\\Run=Run,0,LD_\n");
  EXPECT_EQ(out.str(), "");
  // One usable entry among them is enough to scan.
  err.str("");
  files.AddFile("C:\\unusable.ini", "[PATHS1]\nSoftware\\Run=Run,0,LD_\nHKEY_CURRENT_USER\\Software\\Run=Run,0,LD_\n");
  EXPECT_EQ(Run({"--knowbase", "C:\\unusable.ini"}), kExitProblemsFound) << err.str();
}

TEST_F(HeadlessScanTest, SaveWritesTheResultsFile) {
  files.AddFile("C:\\rules.ini", "[PATHS1]\nHKEY_CURRENT_USER\\Software\\Run=Run,0,LD_\n");
  EXPECT_EQ(Run({"--knowbase", "C:\\rules.ini", "--save", "C:\\out.reg"}), kExitProblemsFound);
  const std::optional<std::string> saved = files.ReadFile("C:\\out.reg");
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(saved->rfind("REGEDIT4\r\n", 0), 0u);
  EXPECT_NE(saved->find("[HKEY_CURRENT_USER\\Software\\Run]\r\n\"gone\"=\"C:\\\\Gone\\\\gone.exe\""), std::string::npos);
  EXPECT_NE(out.str().find("Results written to C:\\out.reg\n"), std::string::npos);
}

TEST_F(HeadlessScanTest, AResultsFileThatCannotBeWrittenIsReported) {
  SetKnowledgeBase("[PATHS1]\nHKEY_CURRENT_USER\\Software\\Run=Run,0,LD_\n");
  files.AddFile("C:\\locked.reg", "old");
  files.SetLocked("C:\\locked.reg", true);
  EXPECT_EQ(Run({"--save", "C:\\locked.reg"}), kExitUsage);
  EXPECT_EQ(err.str(), "TarnelScan: Cannot create file C:\\locked.reg\n");
  EXPECT_EQ(files.ReadFile("C:\\locked.reg"), "old");
}

TEST_F(HeadlessScanTest, AStopBeforeTheScanListsNothingAndSaysSo) {
  SetKnowledgeBase("[PATHS1]\nHKEY_CURRENT_USER\\Software\\Run=Run,0,LD_\n");
  HeadlessScan scan(HeadlessSystem{registry, files, clock, mail}, out, err, nullptr);
  scan.RequestStop();
  EXPECT_EQ(scan.Run(ScanOptions{}), kExitStopped);
  EXPECT_EQ(out.str(), "Scan stopped: the list above holds only what was found until then.\n0 problems found.\n");
}

TEST(ScanOptions, ParsesEveryOptionAndRejectsTheRest) {
  ParsedScanOptions parsed = ParseScanOptions({"--knowbase", "k.ini", "--save", "r.reg"});
  EXPECT_EQ(parsed.error, "");
  EXPECT_EQ(parsed.options.knowledge_base, "k.ini");
  EXPECT_EQ(parsed.options.save_file, "r.reg");
  EXPECT_TRUE(ParseScanOptions({"--help"}).options.help);
  EXPECT_EQ(ParseScanOptions({"--save"}).error, "--save needs a file name");
  EXPECT_EQ(ParseScanOptions({"scan"}).error, "unknown argument: scan");

  parsed = ParseScanOptions({"--delete", "--backup", "b.reg", "--no-ignore", "--format", "json"});
  EXPECT_EQ(parsed.error, "");
  EXPECT_TRUE(parsed.options.remove);
  EXPECT_TRUE(parsed.options.no_ignore);
  EXPECT_EQ(parsed.options.backup_file, "b.reg");
  EXPECT_TRUE(ParseScanOptions({"--delete", "--dry-run"}).options.dry_run);
  EXPECT_EQ(ParseScanOptions({"--restore", "b.reg"}).options.restore_file, "b.reg");
  EXPECT_TRUE(ParseScanOptions({"--ignore-list"}).options.list_ignored);
  EXPECT_EQ(ParseScanOptions({"--backup", "b.reg"}).error, "--backup goes with --delete");
  EXPECT_EQ(ParseScanOptions({"--restore", "b.reg", "--delete"}).error,
            "--restore does not scan: no other option goes with it");
  EXPECT_EQ(ParseScanOptions({"--ignore-list", "--no-ignore"}).error,
            "--ignore-list does not scan: no other option goes with it");
  EXPECT_EQ(ParseScanOptions({"--lint", "--delete"}).error,
            "--lint does not scan: no other option but --knowbase goes with it");
  EXPECT_EQ(ParseScanOptions({"--restore"}).error, "--restore needs a file name");
  parsed = ParseScanOptions({"--backups", "--format", "tsv"});
  EXPECT_EQ(parsed.error, "");
  EXPECT_TRUE(parsed.options.list_backups);
  EXPECT_EQ(ParseScanOptions({"--backups", "--delete"}).error, "--backups does not scan: only --format goes with it");
  EXPECT_EQ(ParseScanOptions({"--backups", "--restore", "latest"}).error,
            "--backups does not scan: only --format goes with it");
}

TEST(ScanOptions, AnOfflineInstallationIsOnlyRead) {
  ParsedScanOptions parsed =
      ParseScanOptions({"--offline", "/mnt/win", "--user", "Ann", "--ignore-logs", "--format", "json", "--save", "r.reg"});
  EXPECT_EQ(parsed.error, "");
  EXPECT_EQ(parsed.options.offline_root, "/mnt/win");
  EXPECT_EQ(parsed.options.user, "Ann");
  EXPECT_TRUE(parsed.options.ignore_logs);
  const std::string read_only =
      "an offline installation is only read: --delete, --dry-run and --restore do not go with --offline";
  EXPECT_EQ(ParseScanOptions({"--offline", "/mnt/win", "--delete"}).error, read_only);
  EXPECT_EQ(ParseScanOptions({"--dry-run", "--offline", "/mnt/win"}).error, read_only);
  EXPECT_NE(ParseScanOptions({"--offline", "/mnt/win", "--restore", "b.reg"}).error, "");
  EXPECT_EQ(ParseScanOptions({"--user", "Ann"}).error, "--user goes with --offline");
  EXPECT_EQ(ParseScanOptions({"--ignore-logs"}).error, "--ignore-logs goes with --offline");
  EXPECT_EQ(ParseScanOptions({"--offline"}).error, "--offline needs the volume's folder");
}

// TarnelScan --delete, --dry-run and --restore on a registry with a stale
// start-up value beside a good one, and a stale application key that holds
// a value the knowledge base excludes.
class HeadlessDeleteTest : public HeadlessScanTest {
 protected:
  void SetUp() override {
    HeadlessScanTest::SetUp();
    ImportRegText(registry,
                  "REGEDIT4\n\n"
                  "[HKEY_CURRENT_USER\\Software\\Apps\\Gone]\n@=\"C:\\\\Gone\\\\app.exe\"\n\"keep\"=\"1\"\n"
                  "[HKEY_CURRENT_USER\\Software\\Apps\\Old]\n@=\"C:\\\\Gone\\\\old.exe\"\n");
    SetKnowledgeBase(kRules);
  }
  static constexpr const char* kRules =
      "[PATHS1]\n"
      "HKEY_CURRENT_USER\\Software\\Run=Run,0,LD_\n"
      "HKEY_CURRENT_USER\\Software\\Apps\\*=Apps,1,FILEDEF_\n"
      "[EXCLUDE]\n"
      "HKEY_CURRENT_USER\\Software\\Apps\\*=keep\n";
  bool HasValue(const std::string& path, const std::string& name) {
    auto key = registry.OpenRead(kHkeyCurrentUser, path);
    return key && key->QueryValue(name);
  }
  static constexpr const char* kBackup = "C:\\06_12_26;09-05-09 (PM).reg";
};

TEST_F(HeadlessDeleteTest, DeleteRemovesWhatDeleteAllRemovesAfterTheBackupAndRefusesWhatWouldTakeAnExclusion) {
  EXPECT_EQ(Run({"--delete"}), kExitRefused);
  EXPECT_FALSE(HasValue("Software\\Run", "gone"));
  EXPECT_TRUE(HasValue("Software\\Run", "here"));
  EXPECT_EQ(registry.OpenRead(kHkeyCurrentUser, "Software\\Apps\\Old"), nullptr);
  EXPECT_TRUE(HasValue("Software\\Apps\\Gone", "keep")) << "its key holds an excluded value";
  EXPECT_EQ(out.str(),
            "HKEY_CURRENT_USER\\Software\\Run\n"
            "    File not found; level 0; values: \"gone\"\n"
            "HKEY_CURRENT_USER\\Software\\Apps\\Gone\n"
            "    File not found; level 1; values: \"(Default)\"\n"
            "HKEY_CURRENT_USER\\Software\\Apps\\Old\n"
            "    File not found; level 1; values: \"(Default)\"\n"
            "3 problems found.\n"
            "Deleted: 2\n"
            "    HKEY_CURRENT_USER\\Software\\Run\n"
            "    HKEY_CURRENT_USER\\Software\\Apps\\Old\n"
            "Refused: 1\n"
            "    HKEY_CURRENT_USER\\Software\\Apps\\Gone: it would remove the value \"keep\" of "
            "HKEY_CURRENT_USER\\Software\\Apps\\Gone, and it is excluded in the knowledge base\n"
            "Backup file: C:\\06_12_26;09-05-09 (PM).reg\n");
  const std::string backup = files.ReadFile(kBackup).value_or("");
  EXPECT_NE(backup.find("[HKEY_CURRENT_USER\\Software\\Apps\\Old]"), std::string::npos);
  EXPECT_EQ(backup.find("Apps\\Gone"), std::string::npos) << "a refused problem is not backed up";

  // The backup puts everything back, as Restore backup.. does.
  out.str("");
  EXPECT_EQ(Run({"--restore", kBackup}), kExitClean);
  EXPECT_TRUE(HasValue("Software\\Run", "gone"));
  EXPECT_TRUE(HasValue("Software\\Apps\\Old", ""));
  EXPECT_EQ(out.str(), std::string("Restored from ") + kBackup +
                           ":\nWritten: 1 key, 2 values.\nAlready there: 1 key, 0 values.\n");
}

TEST_F(HeadlessDeleteTest, JsonEndsWithTheBackupAndWhatWasDeletedAndRefused) {
  EXPECT_EQ(Run({"--delete", "--backup", "C:\\b.reg", "--format", "json"}), kExitRefused);
  const std::string json = out.str();
  EXPECT_NE(json.find("\"problems\": 3"), std::string::npos);
  EXPECT_NE(json.find("\"values\": [\"(Default)\"]}\n  ],\n  \"backup\": \"C:\\\\b.reg\",\n  \"deleted\": [\n"
                      "    {\"path\": \"HKEY_CURRENT_USER\\\\Software\\\\Run\"},\n"
                      "    {\"path\": \"HKEY_CURRENT_USER\\\\Software\\\\Apps\\\\Old\"}\n  ],\n"
                      "  \"refused\": [\n    {\"path\": \"HKEY_CURRENT_USER\\\\Software\\\\Apps\\\\Gone\", \"reason\": "
                      "\"it would remove the value \\\"keep\\\" of"),
            std::string::npos)
      << json;
  EXPECT_TRUE(json.ends_with("\"}\n  ],\n  \"partly_deleted\": [],\n  \"gone_before\": []\n}\n")) << json;
  EXPECT_TRUE(files.FileExists("C:\\b.reg"));
  EXPECT_NE(err.str().find("Deleted: 2\n"), std::string::npos) << "the notes go to standard error";
}

TEST_F(HeadlessDeleteTest, ADryRunAndThePlainScanChangeNothing) {
  const auto dump = [&] { return files.ReadFile("C:\\dump.reg"); };
  ASSERT_EQ(Run({"--save", "C:\\dump.reg"}), kExitProblemsFound);
  const std::optional<std::string> saved = dump();
  out.str("");
  EXPECT_EQ(Run({"--dry-run"}), kExitRefused);
  EXPECT_NE(out.str().find("Dry run: nothing was deleted and no backup written; --delete would do this.\n"
                           "Would delete: 2\n"),
            std::string::npos);
  EXPECT_TRUE(HasValue("Software\\Run", "gone"));
  EXPECT_TRUE(HasValue("Software\\Apps\\Old", ""));
  EXPECT_FALSE(files.FileExists(kBackup));
  ASSERT_EQ(Run({"--save", "C:\\dump.reg"}), kExitProblemsFound);
  EXPECT_EQ(dump(), saved) << "every problem's keys and values as they were";
}

TEST_F(HeadlessDeleteTest, IgnoredItemsAreNeitherReportedNorDeletedUnlessTheListIsLeftOut) {
  ASSERT_TRUE(WriteIgnoreList(registry, {{"HKEY_CURRENT_USER\\SOFTWARE\\Run", "GONE", "2026-12-06 21:00"},
                                         {"HKEY_CURRENT_USER\\Software\\Apps\\Old", std::nullopt, "2026-12-06 21:01"}}));
  EXPECT_EQ(Run({"--ignore-list"}), kExitClean);
  EXPECT_EQ(out.str(),
            "HKEY_CURRENT_USER\\SOFTWARE\\Run\n    value \"GONE\"; added 2026-12-06 21:00\n"
            "HKEY_CURRENT_USER\\Software\\Apps\\Old\n    added 2026-12-06 21:01\n"
            "2 items on the ignore list.\n");
  out.str("");
  EXPECT_EQ(Run({"--delete"}), kExitRefused) << "only the problem that takes an exclusion is left";
  EXPECT_TRUE(HasValue("Software\\Run", "gone"));
  EXPECT_TRUE(HasValue("Software\\Apps\\Old", ""));
  EXPECT_EQ(out.str().find("Software\\Run"), std::string::npos);
  out.str("");
  EXPECT_EQ(Run({"--no-ignore", "--dry-run"}), kExitRefused);
  EXPECT_NE(out.str().find("Would delete: 2\n    HKEY_CURRENT_USER\\Software\\Run\n"), std::string::npos);
}

TEST_F(HeadlessDeleteTest, ABackupThatCannotBeWrittenDeletesNothing) {
  EXPECT_EQ(Run({"--delete", "--backup", "C:\\No such folder\\b.reg"}), kExitUsage);
  EXPECT_NE(err.str().find("TarnelScan: Cannot create file C:\\No such folder\\b.reg (the backup file); nothing "
                           "deleted\n"),
            std::string::npos)
      << err.str();
  EXPECT_TRUE(HasValue("Software\\Run", "gone"));
  EXPECT_TRUE(HasValue("Software\\Apps\\Old", ""));

  err.str("");
  files.AddFile("C:\\old.reg", "earlier backup");
  EXPECT_EQ(Run({"--delete", "--backup", "C:\\old.reg"}), kExitUsage);
  EXPECT_EQ(err.str(), "TarnelScan: the backup file C:\\old.reg exists already; nothing deleted\n");
  EXPECT_EQ(files.ReadFile("C:\\old.reg"), "earlier backup");
  EXPECT_TRUE(HasValue("Software\\Run", "gone"));
}

TEST_F(HeadlessDeleteTest, AMalformedBackupWritesNothingAndNamesItsLine) {
  files.AddFile("C:\\bad.reg", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\New]\r\n\"a\"=\"1\"\r\n\"b\"=nonsense\r\n");
  EXPECT_EQ(Run({"--restore", "C:\\bad.reg"}), kExitUsage);
  EXPECT_EQ(err.str().rfind("TarnelScan: C:\\bad.reg: line 5", 0), 0u) << err.str();
  EXPECT_NE(err.str().find("; nothing written\n"), std::string::npos);
  EXPECT_EQ(registry.OpenRead(kHkeyCurrentUser, "New"), nullptr);
  EXPECT_EQ(Run({"--restore", "C:\\missing.reg"}), kExitUsage);
}

TEST_F(HeadlessDeleteTest, ARestoreThatWouldDeleteNeedsAllowDeletions) {
  files.AddFile("C:\\del.reg", "REGEDIT4\r\n\r\n[-HKEY_CURRENT_USER\\Software]\r\n[HKEY_CURRENT_USER\\New]\r\n");
  EXPECT_EQ(Run({"--restore", "C:\\del.reg"}), kExitUsage);
  EXPECT_EQ(err.str(), "TarnelScan: C:\\del.reg: the file deletes from the registry (line 3: "
                       "[-HKEY_CURRENT_USER\\Software]); a backup never does (--allow-deletions carries them out); "
                       "nothing written\n");
  EXPECT_TRUE(HasValue("Software\\Run", "gone"));
  EXPECT_EQ(registry.OpenRead(kHkeyCurrentUser, "New"), nullptr);
  EXPECT_EQ(Run({"--restore", "C:\\del.reg", "--allow-deletions"}), kExitClean);
  EXPECT_EQ(out.str(), "Restored from C:\\del.reg:\nWritten: 1 key, 0 values.\nDeleted: 1 key, 0 values.\n");
  EXPECT_FALSE(registry.OpenRead(kHkeyCurrentUser, "Software"));
  EXPECT_EQ(ParseScanOptions({"--allow-deletions"}).error, "--allow-deletions goes with --restore");
}

TEST_F(HeadlessDeleteTest, AStoppedScanDeletesNothing) {
  HeadlessScan scan(HeadlessSystem{registry, files, clock, mail}, out, err, nullptr);
  scan.RequestStop();
  ScanOptions options;
  options.remove = true;
  EXPECT_EQ(scan.Run(options), kExitStopped);
  EXPECT_TRUE(HasValue("Software\\Run", "gone"));
}

// Two --delete runs, a second of a stale value planted after the first:
// the history lists both, newest first, and --restore latest gives back
// the second run's value only.
TEST_F(HeadlessDeleteTest, BackupsListsEveryDeleteRunAndRestoreLatestRestoresTheNewest) {
  EXPECT_EQ(Run({"--backups"}), kExitClean);
  EXPECT_EQ(out.str(), "0 backups in the history.\n");
  EXPECT_EQ(Run({"--restore", "latest"}), kExitUsage);
  EXPECT_EQ(err.str(), "TarnelScan: no backup to restore: the history and this folder hold none that is there and "
                       "whole; nothing written\n");

  ASSERT_EQ(Run({"--delete"}), kExitRefused);
  clock.Set({2026, 12, 6, 21, 30, 0});
  ImportRegText(registry, "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Run]\n\"later\"=\"C:\\\\Gone\\\\x.exe\"\n");
  ASSERT_EQ(Run({"--delete"}), kExitRefused);
  ASSERT_FALSE(HasValue("Software\\Run", "later"));
  out.str("");
  err.str("");
  EXPECT_EQ(Run({"--backups"}), kExitClean);
  const std::string second = "C:\\06_12_26;09-30-00 (PM).reg";
  const std::string first_size = std::to_string(files.ReadFile(kBackup)->size());
  EXPECT_EQ(out.str(), second + "\n    2026-12-06 21:30:00, --delete: 1 problem deleted, 1 refused, 1 key, 1 value, " +
                           std::to_string(files.ReadFile(second)->size()) + " bytes; intact\n" + kBackup +
                           "\n    2026-12-06 21:05:09, --delete: 2 problems deleted, 1 refused, 2 keys, 2 values, " +
                           first_size + " bytes; intact\n2 backups in the history.\n");
  out.str("");
  files.DeleteFile(kBackup);
  EXPECT_EQ(Run({"--backups", "--format", "tsv"}), kExitClean);
  EXPECT_NE(out.str().find("time\tmade_by\tproblems\trefused\tpartly\tkeys\tvalues\tsize\tstate\tfile\n"
                           "2026-12-06 21:30:00\t--delete\t1\t1\t0\t1\t1\t"),
            std::string::npos)
      << out.str();
  EXPECT_NE(out.str().find("\n2026-12-06 21:05:09\t--delete\t2\t1\t0\t2\t2\t0\tgone\tC:\\\\06_12_26;09-05-09 (PM).reg\n"),
            std::string::npos)
      << out.str();
  out.str("");
  EXPECT_EQ(Run({"--backups", "--format", "json"}), kExitClean);
  EXPECT_NE(out.str().find("{\"backups\": [\n  {\"time\": \"2026-12-06 21:30:00\", \"made_by\": \"--delete\", "
                           "\"recorded\": true, \"problems\": 1, \"refused\": 1, \"partly\": 0, \"keys\": 1, "
                           "\"values\": 1, \"size\": "),
            std::string::npos)
      << out.str();
  EXPECT_TRUE(out.str().ends_with("\"state\": \"gone\", \"file\": \"C:\\\\06_12_26;09-05-09 (PM).reg\"}\n]}\n"));

  out.str("");
  EXPECT_EQ(Run({"--restore", "latest"}), kExitClean);
  EXPECT_EQ(out.str(), "Restored from " + second + ":\nWritten: 0 keys, 1 value.\nAlready there: 1 key, 0 values.\n");
  EXPECT_TRUE(HasValue("Software\\Run", "later"));
  EXPECT_FALSE(HasValue("Software\\Run", "gone")) << "the older run's backup is not restored";
}

// A file replaced since it was written is not the backup: restored only
// with --force; a file gone is no backup at all.
TEST_F(HeadlessDeleteTest, RestoreLatestRefusesANewestBackupThatChangedOrIsGone) {
  ASSERT_EQ(Run({"--delete"}), kExitRefused);
  files.AddFile(kBackup, "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Run]\r\n");
  err.str("");
  EXPECT_EQ(Run({"--restore", "latest"}), kExitUsage);
  EXPECT_EQ(err.str(), std::string("TarnelScan: ") + kBackup +
                           " changed since it was made (not the size and SHA-256 it was written with); nothing "
                           "written (--force restores it all the same)\n");
  EXPECT_EQ(Run({"--restore", kBackup}), kExitUsage) << "named, the same";
  EXPECT_EQ(Run({"--restore", kBackup, "--force"}), kExitClean);
  files.DeleteFile(kBackup);
  err.str("");
  EXPECT_EQ(Run({"--restore", "latest"}), kExitUsage);
  EXPECT_NE(err.str().find("no backup to restore"), std::string::npos);
  EXPECT_FALSE(HasValue("Software\\Run", "gone"));
  err.str("");
  EXPECT_EQ(Run({"--restore", "COM1"}), kExitUsage);
  EXPECT_EQ(err.str(), "TarnelScan: COM1 names a device, not a file; nothing written\n");
}

}  // namespace
