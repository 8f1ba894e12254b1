// A session's scan over the in-memory registry and files: the knowledge
// base it uses, the order of its start, and what its scans and deletions
// keep.
#include "clean/scan_session.h"

#include <gtest/gtest.h>

#include "clean/ignore_list.h"
#include "platform/file_errors.h"
#include "platform/fixed_clock.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"
#include "platform/queued_ui_thread.h"
#include "platform/root_keys.h"
#include "regtext/regedit4_reader.h"
#include "scan/key_paths.h"

#include "support/no_mail.h"
#include "support/tree_filler.h"

namespace {

// Two programs that are gone; the user ignores one of them.
constexpr const char* kRunKey = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Run]\n"
                                "\"gone\"=\"C:\\\\Gone\\\\gone.exe\"\n\"lost\"=\"C:\\\\Lost\\\\lost.exe\"\n";

class ScanSessionTest : public testing::Test {
 protected:
  void SetUp() override {
    ImportRegText(registry, kRunKey);
    files.AddFile(files.ExeFolder() + "Knowbase.ini", "[PATHS1]\nHKEY_CURRENT_USER\\Software\\Run=Run,0,LD_\n");
    ASSERT_TRUE(WriteIgnoreList(registry, {{"HKEY_CURRENT_USER\\Software\\Run", "lost", "2026-12-06 21:01"}}));
  }
  // The problems of the tree: "path: values".
  std::vector<std::string> Scan() {
    TreeFiller view(session.Tree());
    bool finished = false;
    session.Start(view, [&finished] { finished = true; });
    session.WaitForScan();
    ui.Drain();
    EXPECT_TRUE(finished);
    EXPECT_FALSE(session.Scanning());
    std::vector<std::string> problems;
    ForEachProblem(*session.Tree().Top(), [&problems](const ResultNode& node) {
      std::string line = NodeFullPath(node) + ":";
      for (const std::string& name : node.Data()->FValueNames) line += " " + name;
      problems.push_back(line);
    });
    return problems;
  }

  MemoryRegistry registry;
  MemoryFileSystem files;
  FixedClock clock{LocalTime{2026, 12, 6, 21, 5, 9}};
  NoMail mail;
  QueuedUiThread ui;
  ScanSession session{ScanSessionServices{registry, files, clock, mail, ui}};
};

TEST_F(ScanSessionTest, TheKnowledgeBaseLiesBesideTheProgramUnlessOneIsNamed) {
  EXPECT_EQ(session.KnowledgeBase(), "C:\\Program Files\\Tarnel\\Knowbase.ini");
  EXPECT_EQ(session.KnowledgeBaseFault(), "");
  ScanSession named(ScanSessionServices{registry, files, clock, mail, ui}, "C:\\rules.ini");
  EXPECT_EQ(named.KnowledgeBase(), "C:\\rules.ini");
  EXPECT_EQ(named.KnowledgeBaseFault(), "cannot read the knowledge base C:\\rules.ini");
}

TEST_F(ScanSessionTest, AScanLeavesOutTheIgnoredItemsUnlessTheListIsLeftOut) {
  EXPECT_EQ(Scan(), std::vector<std::string>{"HKEY_CURRENT_USER\\Software\\Run: gone"});
  EXPECT_GT(session.TotalEntries(), 0);
  EXPECT_FALSE(session.Journal().FileName().empty()) << "the backup file is named at the start";
  session.UseIgnoreList(false);
  EXPECT_EQ(Scan(), std::vector<std::string>{"HKEY_CURRENT_USER\\Software\\Run: gone lost"})
      << "the earlier results gave way to the new";
}

TEST_F(ScanSessionTest, AStopAskedBeforeTheFirstStartEndsThatScanAtOnce) {
  session.Stop();
  EXPECT_TRUE(Scan().empty());
  EXPECT_EQ(Scan(), std::vector<std::string>{"HKEY_CURRENT_USER\\Software\\Run: gone"}) << "the next scan runs";
}

// Every deletion wrote its file before it deleted anything: a Start has
// nothing to write, and a backup whose file could not be written (its
// deletion deleted nothing) is dropped.
TEST_F(ScanSessionTest, AStartWritesNoBackup) {
  ASSERT_EQ(Scan().size(), 1u);
  session.Journal().BeginBackupFile("C:\\No such folder\\b.reg");
  ASSERT_TRUE(session.Journal().BackupKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", "Software\\Run"));
  EXPECT_THROW(session.Journal().Flush(), FileCreateError);
  EXPECT_EQ(Scan().size(), 1u);
  EXPECT_TRUE(files.FileNamesIn("C:\\").empty());
}

TEST_F(ScanSessionTest, ADeletionKeepsWhatIsIgnoredWhenItRunsAndBacksUpFirst) {
  session.UseIgnoreList(false);
  ASSERT_EQ(Scan().size(), 1u);
  session.UseIgnoreList(true);
  ResultNode* run = session.Tree().Top()->FindChild("HKEY_CURRENT_USER")->FindChild("Software")->FindChild("Run");
  ASSERT_NE(run, nullptr);
  EXPECT_EQ(RefusalText(session.Deletion().DeleteValues(*run, {"lost"}).refusal),
            "it would remove the value \"lost\" of HKEY_CURRENT_USER\\Software\\Run, and it is on the ignore list");
  EXPECT_TRUE(session.Deletion().DeleteValues(*run, {"gone"}).deleted);
  EXPECT_NE(files.ReadFile(session.Journal().FileName()).value_or("").find("\"gone\""), std::string::npos);
}

}  // namespace
