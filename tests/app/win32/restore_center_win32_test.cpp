// The way back in the window: two deletions recorded, the restore center
// listing both with their counts, Restore of the older one, Undo Delete of
// the newer, Delete file, and the restore point Wine cannot make.
#include <gtest/gtest.h>

#include <functional>

// The fixture first: windows.h renames DeleteFile and SearchPath in every
// declaration after it, the file seam's included.
#include "main_window_fixture_win32.h"

#include "app/backup_center_texts.h"
#include "clean/backup_history.h"
#include "app/win32/command_ids.h"
#include "app/win32/resources.h"
#include "regtext/file_seal.h"
#include "regtext/regedit4_reader.h"
#include "support/registry_dump.h"
#include "support/window_test_support_win32.h"

namespace {

constexpr const char* kRules = "[PATHS1]\nHKEY_CURRENT_USER\\Software\\TarnelCenter\\*=Apps,1,FILEDEF_\n";

// What runs inside the center's own message loop, once it is open.
std::function<void(HWND)> g_in_center;

BOOL CALLBACK FindCenter(HWND window, LPARAM found) {
  if (GetDlgItem(window, IDC_BACKUPS_LIST) == nullptr) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

void CALLBACK ActInCenter(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND center = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindCenter, reinterpret_cast<LPARAM>(&center));
  if (!center) return;
  KillTimer(nullptr, timer);
  g_in_center(center);
  SendMessageA(center, WM_COMMAND, IDOK, 0);
}

std::string Cell(HWND list, int row, int column) {
  char text[512] = "";
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

void Select(HWND list, int row) {
  ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
  ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

class RestoreCenterTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    NoTips();
    WriteKnowledgeBase(kRules);
    GetCurrentDirectoryA(MAX_PATH, saved_folder_);
    SetCurrentDirectoryA(work_.Path().c_str());
  }
  void TearDown() override { SetCurrentDirectoryA(saved_folder_); }
  void Plant(const std::string& reg) { ImportRegText(*registry_, "REGEDIT4\r\n\r\n" + reg); }
  RegistryDump Dump() { return DumpRegistry(*registry_, {kHkeyCurrentUser}); }
  // Scan and Delete All; the backup file of that deletion.
  std::string ScanAndDeleteAll(TMainForm& form) {
    ScanToTheEnd(form);
    Send(WmIdOf(CommandId::kDeleteAll));
    EXPECT_EQ(form.Results().NodeCount(), 1u);
    const std::vector<BackupRecord> history = ReadBackupHistory(*registry_);
    EXPECT_FALSE(history.empty()) << "the deletion is recorded";
    return history.empty() ? "" : history.front().file;
  }
  // Opens File > Backups.. and runs the step inside it.
  void InCenter(const std::function<void(HWND)>& step) {
    g_in_center = step;
    SetTimer(nullptr, 0, 50, ActInCenter);
    Send(WmIdOf(CommandId::kBackups));
    g_in_center = nullptr;
  }

  ScopedTempFolder work_{"center"};
  char saved_folder_[MAX_PATH] = "";
};

TEST_F(RestoreCenterTest, TwoDeletionsListedRestoredUndoneAndDeleted) {
  Plant("[HKEY_CURRENT_USER\\Software\\TarnelCenter\\First]\r\n@=\"C:\\\\Gone\\\\first.exe\"\r\n"
        "\"n\"=dword:00000007\r\n\"b\"=hex:01,02,03\r\n"
        "[HKEY_CURRENT_USER\\Software\\TarnelCenter\\First\\Sub]\r\n\"s\"=\"x\"\r\n");
  const RegistryDump with_first = Dump();
  TMainForm& form = Open();
  EXPECT_FALSE(form.Dispatcher().States().Enabled(CommandId::kUndoDelete)) << "nothing deleted yet";
  const std::string first = ScanAndDeleteAll(form);
  PumpMessages(form);
  EXPECT_TRUE(form.Dispatcher().States().Enabled(CommandId::kUndoDelete));
  Plant("[HKEY_CURRENT_USER\\Software\\TarnelCenter\\Second]\r\n@=\"C:\\\\Gone\\\\second.exe\"\r\n");
  const RegistryDump with_second = Dump();
  const std::string second = ScanAndDeleteAll(form);
  ASSERT_NE(first, second);
  const RegistryDump cleaned = Dump();
  EXPECT_EQ(cleaned.count("HKEY_CURRENT_USER\\Software\\TarnelCenter\\First"), 0u);
  EXPECT_EQ(cleaned.count("HKEY_CURRENT_USER\\Software\\TarnelCenter\\Second"), 0u);

  // The center lists both, newest first, with their counts; Restore of the
  // older gives back exactly its keys and values.
  int rows = 0;
  std::vector<std::string> newest, oldest;
  std::vector<LONG> grown;
  InCenter([&](HWND center) {
    HWND list = GetDlgItem(center, IDC_BACKUPS_LIST);
    rows = ListView_GetItemCount(list);
    for (int column = 0; column < kBackupColumnCount; ++column) {
      newest.push_back(Cell(list, 0, column));
      oldest.push_back(Cell(list, 1, column));
    }
    ShowWindow(center, SW_SHOW);
    Settle();
    SaveScreenshot(center, "restore-center");
    // Larger: the list takes the room, Close keeps to the corner.
    RECT small{}, list_small{};
    GetWindowRect(center, &small);
    GetWindowRect(list, &list_small);
    SetWindowPos(center, nullptr, 0, 0, small.right - small.left + 200, small.bottom - small.top + 100,
                 SWP_NOMOVE | SWP_NOZORDER);
    RECT large{}, list_large{}, close{};
    GetWindowRect(center, &large);
    GetWindowRect(list, &list_large);
    GetWindowRect(GetDlgItem(center, IDOK), &close);
    grown = {list_large.right - list_small.right, list_large.bottom - list_small.bottom, large.right - close.right,
             large.bottom - close.bottom, small.right - small.left};
    Select(list, 1);
    SendMessageA(center, WM_COMMAND, IDC_BACKUPS_RESTORE, 0);
  });
  ASSERT_EQ(rows, 2);
  ASSERT_EQ(grown.size(), 5u);
  EXPECT_EQ(grown[0], 200) << "the list is as much wider as the dialog";
  EXPECT_EQ(grown[1], 100);
  EXPECT_LT(grown[2], 40) << "Close stays by the right edge";
  EXPECT_LT(grown[3], 40);
  EXPECT_EQ(newest[kMadeByColumn], "Delete All");
  EXPECT_EQ(newest[kProblemsColumn], "1");
  EXPECT_EQ(newest[kKeysColumn], "1");
  EXPECT_EQ(newest[kValuesColumn], "1");
  EXPECT_EQ(newest[kFolderColumn] + newest[kFileColumn], second);
  EXPECT_EQ(oldest[kProblemsColumn], "1");
  EXPECT_EQ(oldest[kKeysColumn], "2");
  EXPECT_EQ(oldest[kValuesColumn], "4");
  EXPECT_EQ(oldest[kFolderColumn] + oldest[kFileColumn], first);
  // Intact once the journal seals its files; before, whole but without end line.
  const bool sealed = files_.ReadFile(first).value_or("").find(FileSealOpeningLine()) != std::string::npos;
  EXPECT_EQ(oldest[kStateColumn], sealed ? "intact" : "no end line");
  ASSERT_FALSE(messages_.questions.empty());
  EXPECT_EQ(messages_.questions.back(),
            "Restore backup: 2 keys and 4 values will be written to the registry from\r\n" + first);
  EXPECT_EQ(messages_.informed.back(), "Written: 2 keys, 4 values.");
  RegistryDump expected = cleaned;
  for (const auto& [key, values] : with_first)
    if (key.find("TarnelCenter\\First") != std::string::npos) expected[key] = values;
  EXPECT_EQ(Dump(), expected);

  // Undo Delete restores the last deletion's backup.
  Send(WmIdOf(CommandId::kUndoDelete));
  EXPECT_EQ(messages_.questions.back(),
            "Restore backup: 1 key and 1 value will be written to the registry from\r\n" + second);
  expected = with_second;
  for (const auto& [key, values] : with_first)
    if (key.find("TarnelCenter\\First") != std::string::npos) expected[key] = values;
  EXPECT_EQ(Dump(), expected) << "both back, each from its own backup";

  // Delete file asks, and removes only that file.
  messages_.answer = false;
  InCenter([&](HWND center) {
    Select(GetDlgItem(center, IDC_BACKUPS_LIST), 1);
    SendMessageA(center, WM_COMMAND, IDC_BACKUPS_DELETE, 0);
  });
  EXPECT_TRUE(files_.FileExists(first)) << "not without a yes";
  messages_.answer = true;
  const std::size_t asked = messages_.questions.size();
  InCenter([&](HWND center) {
    HWND list = GetDlgItem(center, IDC_BACKUPS_LIST);
    Select(list, 1);
    SendMessageA(center, WM_COMMAND, IDC_BACKUPS_DELETE, 0);
    rows = ListView_GetItemCount(list);
    ShowWindow(center, SW_SHOW);
    Settle();
    SaveScreenshot(center, "restore-center-after-delete");
  });
  EXPECT_EQ(messages_.questions.size(), asked + 1);
  EXPECT_NE(messages_.questions.back().find(first), std::string::npos);
  EXPECT_FALSE(files_.FileExists(first));
  EXPECT_TRUE(files_.FileExists(second));
  EXPECT_EQ(rows, 1);
  ASSERT_EQ(ReadBackupHistory(*registry_).size(), 1u);
  EXPECT_EQ(ReadBackupHistory(*registry_)[0].file, second);
}

TEST_F(RestoreCenterTest, FilesOfOurOwnTheHistoryLacksAreListedAndAFileGoneIsMarked) {
  BackupRecord moved;
  moved.file = work_.Path() + "moved away.reg";
  moved.time = "2026-12-01 10:00:00";
  moved.made_by = "Delete";
  ASSERT_TRUE(StoreBackupRecord(*registry_, moved));
  ASSERT_TRUE(files_.WriteFileAtomic(work_.Path() + "01_12_26;10-00-00 (AM).reg", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\X]\r\n\"a\"=\"1\"\r\n"));
  ASSERT_TRUE(files_.WriteFileAtomic(work_.Path() + "other.reg", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\X]\r\n"));
  TMainForm& form = Open();
  (void)form;
  std::vector<std::string> states, files;
  bool restore_enabled = true;
  InCenter([&](HWND center) {
    HWND list = GetDlgItem(center, IDC_BACKUPS_LIST);
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
      states.push_back(Cell(list, row, kStateColumn));
      files.push_back(Cell(list, row, kFileColumn) + "|" + Cell(list, row, kMadeByColumn));
    }
    Select(list, 0);
    restore_enabled = IsWindowEnabled(GetDlgItem(center, IDC_BACKUPS_RESTORE));
  });
  EXPECT_EQ(files, (std::vector<std::string>{"moved away.reg|Delete", "01_12_26;10-00-00 (AM).reg|(not in the history)"}));
  EXPECT_EQ(states, (std::vector<std::string>{"file gone", "no end line"}));
  EXPECT_FALSE(restore_enabled) << "a file that is gone cannot be restored";
}

TEST_F(RestoreCenterTest, TheRestorePointOptionReportsWhyWineMadeNone) {
  Store("RestorePoint", 1);
  Plant("[HKEY_CURRENT_USER\\Software\\TarnelCenter\\Point]\r\n@=\"C:\\\\Gone\\\\point.exe\"\r\n");
  TMainForm& form = Open();
  EXPECT_TRUE(form.Dispatcher().States().Checked(CommandId::kRestorePoint));
  ScanAndDeleteAll(form);
  ASSERT_FALSE(messages_.informed.empty());
  const std::string summary = messages_.informed.back();
  const std::size_t at = summary.find("Restore point: ");
  ASSERT_NE(at, std::string::npos) << summary;
  std::printf("Delete All said: %s\n", summary.substr(at).c_str());
  EXPECT_EQ(summary.find("Restore point: made"), std::string::npos);
  EXPECT_NE(summary.find("Restore point: not made: "), std::string::npos) << summary;
  Send(WmIdOf(CommandId::kRestorePoint));
  EXPECT_FALSE(form.Dispatcher().States().Checked(CommandId::kRestorePoint));
  EXPECT_EQ(Stored("RestorePoint"), 0);
}

}  // namespace
