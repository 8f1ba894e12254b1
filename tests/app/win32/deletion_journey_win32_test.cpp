// The user's whole journey on a sandboxed registry planted with the demo's
// stale entries and their healthy twins: scan, Delete All, and back again,
// once through Wine's registry editor and once through Restore backup..
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "app/win32/command_ids.h"
#include "main_window_fixture_win32.h"
#include "regtext/regedit4_reader.h"
#include "support/regedit_win32.h"
#include "support/registry_dump.h"
#include "support/window_test_support_win32.h"

namespace {

constexpr const char* kDemoFiles[] = {"present.dll", "present.exe", "present.tlb", "present.cpl",
                                      "readme.txt",  "TarnelDemoPresent.hlp", "TarnelDemoPresent.chm"};
constexpr RootKey kRoots[] = {kHkeyClassesRoot, kHkeyCurrentUser, kHkeyLocalMachine, kHkeyUsers};

std::string ReadText(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

using Dump = RegistryDump;
Dump DumpAll(Registry& registry) { return DumpRegistry(registry, {std::begin(kRoots), std::end(kRoots)}); }

class DeletionJourneyTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    NoTips();
    // The classes go where the system keeps them too: the sandbox's
    // HKEY_CLASSES_ROOT is a key of its own, not a view of the machine's.
    const std::string demo = ReadText("..\\..\\..\\data\\demo\\demo.reg");
    ImportRegText(*registry_, demo);
    std::string machine_classes = demo;
    const std::string from = "[HKEY_CLASSES_ROOT\\", to = "[HKEY_LOCAL_MACHINE\\Software\\Classes\\";
    for (std::size_t at = machine_classes.find(from); at != std::string::npos; at = machine_classes.find(from, at))
      machine_classes.replace(at, from.size(), to);
    ImportRegText(*registry_, machine_classes);
    WriteKnowledgeBase(ReadText("..\\Knowbase.ini"));
    CreateDirectoryA("C:\\TarnelDemo", nullptr);
    CreateDirectoryA("C:\\TarnelDemo\\Installed", nullptr);
    for (const char* name : kDemoFiles) files_.WriteFileAtomic(std::string("C:\\TarnelDemo\\") + name, "demo\r\n");
    // The backup goes to the current folder: the test's own.
    GetCurrentDirectoryA(MAX_PATH, saved_folder_);
    SetCurrentDirectoryA(work_.Path().c_str());
  }
  void TearDown() override {
    SetCurrentDirectoryA(saved_folder_);
    for (const char* name : kDemoFiles) files_.DeleteFile(std::string("C:\\TarnelDemo\\") + name);
    RemoveDirectoryA("C:\\TarnelDemo\\Installed");
    RemoveDirectoryA("C:\\TarnelDemo");
  }
  // Scan, then Delete All, confirmed; the backup file's full name.
  std::string ScanAndDeleteAll(TMainForm& form) {
    ScanToTheEnd(form);
    EXPECT_GT(form.Results().NodeCount(), 20u);
    SendMessageA(form.Handle(), WM_COMMAND, WmIdOf(CommandId::kDeleteAll), 0);
    EXPECT_EQ(messages_.questions.size(), 1u);
    EXPECT_EQ(messages_.questions.back().rfind("Deleting: Attention! All keys will be deleted and are saved in the file \r\n", 0), 0u);
    EXPECT_EQ(form.Results().NodeCount(), 1u) << (messages_.informed.empty() ? "" : messages_.informed.back());
    const std::string backup = messages_.questions.back().substr(messages_.questions.back().find("\r\n") + 2);
    EXPECT_EQ(backup.rfind(work_.Path(), 0), 0u) << backup << ": the whole path, in the folder current at start";
    EXPECT_NE(messages_.informed.back().find("Backup file: " + backup), std::string::npos) << messages_.informed.back();
    return backup;
  }
  void ExpectOnlyThePlantedEntriesGone(const Dump& before, const Dump& after) {
    for (const auto& [key, values] : after) {
      EXPECT_TRUE(before.count(key)) << "appeared: " << key;
    }
    int gone_or_changed = 0;
    for (const auto& [key, values] : before) {
      const auto found = after.find(key);
      if (found == after.end() || found->second != values) {
        ++gone_or_changed;
        EXPECT_EQ(key.find("Present"), std::string::npos) << "a healthy twin was touched: " << key;
      }
    }
    EXPECT_GE(gone_or_changed, 20);
  }

  ScopedTempFolder work_{"journey"};
  char saved_folder_[MAX_PATH] = "";
};

TEST_F(DeletionJourneyTest, DeleteAllThenWinesRegistryEditorGivesEverythingBack) {
  const Dump before = DumpAll(*registry_);
  TMainForm& form = Open();
  const std::string backup = ScanAndDeleteAll(form);
  ExpectOnlyThePlantedEntriesGone(before, DumpAll(*registry_));
  Close();
  // The editor runs outside this process's redirected roots: its file names
  // the keys where the sandbox keeps them.
  const std::string text = ReadText(backup);
  ASSERT_NE(text.find("REGEDIT4"), std::string::npos) << backup;
  const std::string moved = work_.Path() + "moved.reg";
  std::ofstream(moved, std::ios::binary) << registry_->Sandbox().Relocated(text);
  MergeWithRegedit(moved);
  EXPECT_EQ(DumpAll(*registry_), before);
}

TEST_F(DeletionJourneyTest, DeleteAllThenRestoreBackupGivesEverythingBack) {
  const Dump before = DumpAll(*registry_);
  TMainForm& form = Open();
  // Another folder became current since the start, as a file dialog could
  // make it: the backup stays where it was going.
  ScopedTempFolder elsewhere("elsewhere");
  SetCurrentDirectoryA(elsewhere.Path().c_str());
  const std::string backup = ScanAndDeleteAll(form);
  SetCurrentDirectoryA(work_.Path().c_str());
  ExpectOnlyThePlantedEntriesGone(before, DumpAll(*registry_));
  // Each key and value once, also where a value problem lies below a key
  // problem (TarnelDemo.Orphan and its CurVer).
  const std::vector<RegTextKey> blocks = ParseRegedit4(ReadText(backup));
  std::set<std::string> keys, values;
  for (const RegTextKey& key : blocks) {
    EXPECT_TRUE(keys.insert(key.path).second) << key.path;
    for (const RegTextValue& value : key.values) EXPECT_TRUE(values.insert(key.path + "|" + value.name).second) << key.path << " " << value.name;
  }
  EXPECT_NE(keys.count("HKEY_CLASSES_ROOT\\TarnelDemo.Orphan\\CurVer"), 0u);
  messages_.file_to_choose = backup;
  SetCurrentDirectoryA(elsewhere.Path().c_str());
  SendMessageA(form.Handle(), WM_COMMAND, WmIdOf(CommandId::kRestoreBackup), 0);
  SetCurrentDirectoryA(work_.Path().c_str());
  EXPECT_EQ(messages_.open_folder, work_.Path()) << "the dialog begins where the backups are";
  EXPECT_EQ(messages_.dialog_titles, std::vector<std::string>{"Restore backup"});
  ASSERT_EQ(messages_.questions.size(), 2u);
  EXPECT_EQ(messages_.questions[1].rfind("Restore backup: " + std::to_string(keys.size()) + " keys and " +
                                             std::to_string(values.size()) + " values will be written to the registry from", 0),
            0u) << messages_.questions[1];
  EXPECT_EQ(messages_.informed.back().rfind("Written: ", 0), 0u) << messages_.informed.back();
  EXPECT_EQ(DumpAll(*registry_), before);
}

// The missing applet put back between the scan and Delete All: its entry is
// refused and left, and the backup holds only what went.
TEST_F(DeletionJourneyTest, AnEntryValidSinceTheScanIsRefusedLeftAndItsBackupOverwritesNothing) {
  TMainForm& form = Open();
  ScanToTheEnd(form);
  const std::string applet = "C:\\TarnelDemo\\gone.cpl";
  ASSERT_TRUE(files_.WriteFileAtomic(applet, "demo\r\n"));
  SendMessageA(form.Handle(), WM_COMMAND, WmIdOf(CommandId::kDeleteAll), 0);
  files_.DeleteFile(applet);
  const std::string cpls = "Software\\Microsoft\\Windows\\CurrentVersion\\Control Panel\\Cpls";
  ASSERT_FALSE(messages_.informed.empty());
  EXPECT_NE(messages_.informed.back().find("Not deleted: 1\r\nHKEY_LOCAL_MACHINE\\" + cpls + ": it is valid now"),
            std::string::npos)
      << messages_.informed.back();
  EXPECT_TRUE(registry_->OpenRead(kHkeyLocalMachine, cpls)->QueryValue("TarnelDemoGone"));
  EXPECT_EQ(form.Results().NodeCount(), 8u) << "My Computer, the root key and the path to Cpls";
  ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
  Settle(400);
  SaveScreenshot(form.Handle(), "delete-all-valid-now-left");
  const std::string backup = ReadText(messages_.questions.back().substr(messages_.questions.back().find("\r\n") + 2));
  // Written whole before the judgement; restoring it leaves the value as it is.
  EXPECT_NE(backup.find("gone.cpl"), std::string::npos);
  EXPECT_NE(backup.find("TarnelDemoGone.exe]"), std::string::npos) << "what went is there";
  Send(WmIdOf(CommandId::kUndoDelete));
  EXPECT_NE(messages_.informed.back().find("Already there: "), std::string::npos) << messages_.informed.back();
  EXPECT_EQ(messages_.informed.back().find("Changed since"), std::string::npos) << "nothing changed since";
}

// A file that deletes is carried out only after a second question that
// names each deletion line; a file that writes into a root key not at all.
TEST_F(DeletionJourneyTest, RestoreBackupAsksBeforeDeletingAndNeverWritesIntoARootKey) {
  TMainForm& form = Open();
  const std::string file = work_.Path() + "deletes.reg";
  std::ofstream(file, std::ios::binary) << "REGEDIT4\r\n\r\n[-HKEY_CURRENT_USER\\Software\\TarnelDemo]\r\n"
                                           "[HKEY_CURRENT_USER\\Software\\TarnelNew]\r\n\"a\"=\"1\"\r\n";
  ASSERT_TRUE(registry_->OpenWrite(kHkeyCurrentUser, "Software\\TarnelDemo"));
  messages_.file_to_choose = file;
  SendMessageA(form.Handle(), WM_COMMAND, WmIdOf(CommandId::kRestoreBackup), 0);
  ASSERT_EQ(messages_.questions.size(), 2u);
  EXPECT_NE(messages_.questions[1].find("line 3: [-HKEY_CURRENT_USER\\Software\\TarnelDemo]"), std::string::npos)
      << messages_.questions[1];
  EXPECT_EQ(messages_.informed.back(), "Written: 1 key, 1 value.\r\nDeleted: 1 key, 0 values.");
  EXPECT_FALSE(registry_->OpenRead(kHkeyCurrentUser, "Software\\TarnelDemo"));

  std::ofstream(file, std::ios::binary) << "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER]\r\n\"TarnelRoot\"=\"1\"\r\n";
  SendMessageA(form.Handle(), WM_COMMAND, WmIdOf(CommandId::kRestoreBackup), 0);
  EXPECT_EQ(messages_.questions.size(), 2u) << "refused before any question";
  ASSERT_FALSE(messages_.errors.empty());
  EXPECT_NE(messages_.errors.back().find("line 3: values of a whole root key"), std::string::npos);
  EXPECT_FALSE(registry_->OpenRead(kHkeyCurrentUser, "")->QueryValue("TarnelRoot"));
}

TEST_F(DeletionJourneyTest, CopyCommandsAndRegEditOnTheResults) {
  TMainForm& form = Open();
  ScanToTheEnd(form);
  form.SelectNode(*form.Results().Top()->Child(0));
  SendMessageA(form.Handle(), WM_COMMAND, WmIdOf(CommandId::kCopyKeyName), 0);
  EXPECT_EQ(clipboard_.texts.back(), "HKEY_CLASSES_ROOT") << "a level-1 node: the root key name only";
  SendMessageA(form.Handle(), WM_COMMAND, WmIdOf(CommandId::kRegEdit), 0);
  EXPECT_EQ(navigator_.visits.back(), "HKEY_CLASSES_ROOT|");
  messages_.file_to_choose = work_.Path() + "results.reg";
  SendMessageA(form.Handle(), WM_COMMAND, WmIdOf(CommandId::kSaveToFile), 0);
  EXPECT_NE(ReadText(work_.Path() + "results.reg").find("TarnelDemoGone"), std::string::npos);
  EXPECT_EQ(messages_.dialog_titles, std::vector<std::string>{"Save to file"});
  mapi_.result = 26;
  SendMessageA(form.Handle(), WM_COMMAND, WmIdOf(CommandId::kSend), 0);
  ASSERT_FALSE(messages_.informed.empty());
  EXPECT_NE(messages_.informed.back().find("Save as.."), std::string::npos) << "no mail program: said so";
}

}  // namespace
