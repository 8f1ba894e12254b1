// A session's deletion judging each problem again by the rules that found
// it, over the in-memory registry and files: what became valid between the
// scan and the deletion is refused, left and kept out of the backup.
#include "clean/rule_judge.h"

#include <gtest/gtest.h>

#include "clean/backup_center.h"
#include "clean/scan_session.h"
#include "platform/fixed_clock.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"
#include "platform/queued_ui_thread.h"
#include "platform/root_keys.h"
#include "regtext/file_seal.h"
#include "regtext/reg_file_encoding.h"
#include "regtext/regedit4_reader.h"
#include "scan/key_paths.h"
#include "support/no_mail.h"
#include "support/tree_filler.h"

namespace {

constexpr const char* kHkcu = "HKEY_CURRENT_USER\\Software\\";
constexpr const char* kClass = "{11111111-2222-3333-4444-555555555555}";

// Apps\Two is found by two rules: its key (level 1) for its program, its
// icon value (level 0) by the second.
constexpr const char* kRules =
    "[PATHS1]\n"
    "HKEY_CURRENT_USER\\Software\\Run=Run,0,LD_\n"
    "HKEY_CURRENT_USER\\Software\\Apps\\*=Apps,1,FILEDEF_\n"
    "HKEY_CURRENT_USER\\Software\\*\\Two=Icons,0,FILE_,Icon\n"
    "HKEY_CURRENT_USER\\Software\\Classes\\*\\CLSID=ProgIDs,2,CLSID_D_\n";

class RuleJudgeTest : public testing::Test {
 protected:
  void SetUp() override {
    ImportRegText(registry,
                  "REGEDIT4\n\n"
                  "[HKEY_CURRENT_USER\\Software\\Run]\n\"a\"=\"C:\\\\Gone\\\\a.exe\"\n\"b\"=\"C:\\\\Gone\\\\b.exe\"\n"
                  "[HKEY_CURRENT_USER\\Software\\Apps\\One]\n@=\"C:\\\\Gone\\\\one.exe\"\n"
                  "[HKEY_CURRENT_USER\\Software\\Apps\\Two]\n@=\"C:\\\\Gone\\\\two.exe\"\n"
                  "\"Icon\"=\"C:\\\\Gone\\\\two.ico\"\n"
                  "[HKEY_CURRENT_USER\\Software\\Classes\\Prog.One\\CLSID]\n@=\"" +
                      std::string(kClass) + "\"\n");
    files.AddFile(files.ExeFolder() + "Knowbase.ini", kRules);
    TreeFiller view(session.Tree());
    session.Start(view);
    session.WaitForScan();
    ui.Drain();
    ASSERT_EQ(Problems(), (std::vector<std::string>{"Run: a b", "Apps\\One: (Default)", "Apps\\Two: (Default) Icon",
                                                    "Classes\\Prog.One\\CLSID: (Default)"}));
  }
  // The problems of the tree below HKEY_CURRENT_USER\Software: "path: values".
  std::vector<std::string> Problems() {
    std::vector<std::string> problems;
    ForEachProblem(*session.Tree().Top(), [&problems](const ResultNode& node) {
      std::string line = NodeFullPath(node).substr(std::string(kHkcu).size()) + ":";
      for (const std::string& name : node.Data()->FValueNames) line += " " + name;
      problems.push_back(line);
    });
    return problems;
  }
  ResultNode& Node(const std::string& path) {
    ResultNode* found = nullptr;
    ForEachProblem(*session.Tree().Top(), [&](const ResultNode& node) {
      if (NodeFullPath(node) == kHkcu + path) found = const_cast<ResultNode*>(&node);
    });
    EXPECT_TRUE(found) << path;
    return *found;
  }
  bool KeyThere(const std::string& path) { return registry.OpenRead(kHkeyCurrentUser, "Software\\" + path) != nullptr; }
  std::vector<std::string> Refused(const DeletionSummary& summary) {
    std::vector<std::string> refused;
    for (const DeletionOutcome& outcome : summary.refused)
      refused.push_back(outcome.key.substr(std::string(kHkcu).size()) + ": " + RefusalText(outcome.refusal));
    return refused;
  }
  // The backup's text: REGEDIT4 in the program's code page here.
  std::string Backup() { return files.ReadFile(session.Journal().FileName()).value_or(""); }

  MemoryRegistry registry;
  MemoryFileSystem files;
  FixedClock clock{LocalTime{2026, 12, 8, 6, 0, 0}};
  NoMail mail;
  QueuedUiThread ui;
  ScanSession session{ScanSessionServices{registry, files, clock, mail, ui}};
};

TEST_F(RuleJudgeTest, AProblemValidNowIsRefusedLeftAndKeptOutOfTheBackup) {
  files.AddFile("C:\\Gone\\one.exe");  // reinstalled since the scan
  const DeletionSummary summary = session.Deletion().DeleteAll([] {});
  EXPECT_EQ(Refused(summary), std::vector<std::string>{"Apps\\One: it is valid now"});
  EXPECT_EQ(summary.deleted.size(), 3u);
  EXPECT_TRUE(KeyThere("Apps\\One"));
  EXPECT_EQ(Problems(), std::vector<std::string>{"Apps\\One: (Default)"}) << "it stays in the tree";
  const std::string backup = Backup();
  // Written before the judgement and never again; a restore overwrites
  // nothing that is there (restore.h).
  EXPECT_NE(backup.find("Apps\\One]"), std::string::npos) << backup;
  EXPECT_NE(backup.find("Apps\\Two]"), std::string::npos);
  EXPECT_NE(backup.find("Prog.One]"), std::string::npos);
  EXPECT_EQ(CheckFileSeal(*RegFileLines(*files.ReadFile(session.Journal().FileName()))).state,
            FileSealState::kIntact);
}

TEST_F(RuleJudgeTest, AValueProblemIsDeletedAsJudgedOrNotAtAll) {
  files.AddFile("C:\\Gone\\a.exe");  // a is valid now, b is not
  ResultNode& run = Node("Run");
  EXPECT_EQ(session.Deletion().DeleteProblem(run).refusal.reason, RefusalReason::kValidNow);
  EXPECT_EQ(Problems().front(), "Run: a b") << "left as found: a rescan tells the rest";
  EXPECT_TRUE(files.FileExists(session.Journal().FileName())) << "the backup was written before the judgement";
  // The value still faulty, chosen alone, goes.
  const DeletionOutcome b = session.Deletion().DeleteValues(run, {"b"});
  EXPECT_TRUE(b.deleted) << RefusalText(b.refusal);
  const std::unique_ptr<RegKey> key = registry.OpenRead(kHkeyCurrentUser, "Software\\Run");
  EXPECT_TRUE(key->QueryValue("a"));
  EXPECT_FALSE(key->QueryValue("b"));
  EXPECT_EQ(Backup().find("\"a\"="), std::string::npos);
  EXPECT_NE(Backup().find("\"b\"="), std::string::npos);
}

TEST_F(RuleJudgeTest, AProblemSmallerNowIsRefusedAndItsValuesStillFaultyGo) {
  // Only the icon is missing now: a scan would report the value, not the key.
  files.AddFile("C:\\Gone\\two.exe");
  EXPECT_EQ(session.Deletion().DeleteProblem(Node("Apps\\Two")).refusal.reason, RefusalReason::kValidNow);
  EXPECT_TRUE(KeyThere("Apps\\Two"));
  // Delete on the value still faulty deletes that value, and only that.
  const DeletionOutcome icon = session.Deletion().DeleteValues(Node("Apps\\Two"), {"Icon"});
  EXPECT_TRUE(icon.deleted) << RefusalText(icon.refusal);
  const std::unique_ptr<RegKey> two = registry.OpenRead(kHkeyCurrentUser, "Software\\Apps\\Two");
  ASSERT_TRUE(two);
  EXPECT_TRUE(two->QueryValue(""));
  EXPECT_FALSE(two->QueryValue("Icon"));
  files.AddFile("C:\\Gone\\one.exe");
  EXPECT_EQ(session.Deletion().DeleteValues(Node("Apps\\One"), {"(Default)"}).refusal.reason, RefusalReason::kValidNow);
}

TEST_F(RuleJudgeTest, AClassRegisteredSinceTheScanIsValidNow) {
  ASSERT_TRUE(registry.OpenWrite(kHkeyCurrentUser, std::string("Software\\Classes\\CLSID\\") + kClass));
  EXPECT_EQ(session.Deletion().DeleteProblem(Node("Classes\\Prog.One\\CLSID")).refusal.reason, RefusalReason::kValidNow);
  EXPECT_TRUE(KeyThere("Classes\\Prog.One\\CLSID"));
  registry.DeleteKey(kHkeyCurrentUser, "Software\\Classes\\CLSID");
  EXPECT_TRUE(session.Deletion().DeleteProblem(Node("Classes\\Prog.One\\CLSID")).deleted);
  EXPECT_FALSE(KeyThere("Classes\\Prog.One"));
}

TEST_F(RuleJudgeTest, WhatCannotBeToldNowIsRefusedWithoutCallingItValid) {
  // The scan never reports a file on a drive that may be away: nor does
  // the deletion delete it.
  files.SetDriveKind('C', DriveKind::kNetwork);
  const DeletionSummary summary = session.Deletion().DeleteAll([] {});
  EXPECT_EQ(Refused(summary), (std::vector<std::string>{"Run: " + RefusalText({RefusalReason::kCannotTell}),
                                                        "Apps\\One: " + RefusalText({RefusalReason::kCannotTell}),
                                                        "Apps\\Two: " + RefusalText({RefusalReason::kCannotTell})}));
  EXPECT_EQ(summary.deleted.size(), 1u) << "the class is told by the registry";
  EXPECT_TRUE(KeyThere("Apps\\One"));
}

// A backup is written before the judgement: refused or not, its file stays
// as written, and the record says what became of its problems; the next
// deletion writes a file of its own.
TEST_F(RuleJudgeTest, ARefusedDeletionKeepsItsBackupAsWrittenAndTheNextWritesAnother) {
  files.SetDriveKind('C', DriveKind::kNetwork);
  ResultNode& one = Node("Apps\\One");
  DeletionOutcome outcome = session.Deletion().DeleteProblem(one);
  EXPECT_EQ(outcome.refusal.reason, RefusalReason::kCannotTell);
  ASSERT_TRUE(session.Journal().Written());
  const std::string first = session.Journal().Written()->file;
  const std::optional<std::string> first_bytes = files.ReadFile(first);
  ASSERT_TRUE(first_bytes);
  EXPECT_TRUE(RecordDeletion(registry, session.Journal(), "Delete Key", "Tarnel", SummaryOf(outcome), clock.Now()));
  ASSERT_EQ(ReadBackupHistory(registry).size(), 1u);
  EXPECT_EQ(ReadBackupHistory(registry)[0].problems, 0);
  EXPECT_EQ(ReadBackupHistory(registry)[0].refused, 1);

  files.SetDriveKind('C', DriveKind::kFixed);
  ASSERT_TRUE(session.Deletion().DeleteProblem(Node("Apps\\Two")).deleted);
  EXPECT_NE(session.Journal().Written()->file, first);
  files.AddFile("C:\\Gone\\one.exe");
  EXPECT_EQ(session.Deletion().DeleteProblem(one).refusal.reason, RefusalReason::kValidNow);
  EXPECT_EQ(files.ReadFile(first), first_bytes) << "never written again";
}

TEST_F(RuleJudgeTest, AKeyKeptNowIsNoProblem) {
  KeepList kept;
  kept.Add({std::string(kHkcu) + "Apps\\One", std::nullopt, false}, "it is on the ignore list");
  RuleJudge judge(registry, files, {{"HKEY_CURRENT_USER\\Software\\Apps\\*", "Apps,1,FILEDEF_"}}, &kept);
  auto record = std::make_unique<TErrorClass>(kFileNotFound, kDefaultValueName, 1);
  record->FRules = {{0, std::string(kHkcu) + "Apps\\One"}};
  ResultTree tree;
  ResultNode& one = *InsertProblemPath(tree, *tree.Top(), std::string(kHkcu) + "Apps\\One", std::move(record));
  EXPECT_EQ(judge.Judge(one, {}, {}), Verdict::kValidNow);
  auto two_record = std::make_unique<TErrorClass>(kFileNotFound, kDefaultValueName, 1);
  two_record->FRules = {{0, std::string(kHkcu) + "Apps\\Two"}};
  ResultNode& two = *InsertProblemPath(tree, *tree.Top(), std::string(kHkcu) + "Apps\\Two", std::move(two_record));
  EXPECT_EQ(judge.Judge(two, {}, {}), Verdict::kStillAProblem);
}

}  // namespace
