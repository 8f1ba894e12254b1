// The real file dialogs: choosing a file in another folder leaves the
// current folder, where backups go, as it was.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/win32/user_messages_win32.h"
#include "support/temp_folder_win32.h"
#include "support/window_test_support_win32.h"

namespace {

// What the timer is to type into the open dialog.
std::string file_to_type;
bool dialog_answered = false;

void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND dialog = ShownDialog();
  if (!dialog) return;
  // The file name box: a combo box in the Explorer-style dialog, an edit box
  // in the older one.
  for (const int id : {0x47C, 0x480}) SetDlgItemTextA(dialog, id, file_to_type.c_str());
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  dialog_answered = true;
  KillTimer(nullptr, timer);
}

// Restore backup.. begins in the backup folder, not where the last dialog
// was: a bare name typed there is a file of that folder.
TEST(FileDialogs, TheOpenDialogBeginsInTheFolderItIsGiven) {
  ScopedTempFolder backups("dialog-backups"), elsewhere("dialog-last");
  CloseHandle(CreateFileA((backups.Path() + "b.reg").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  CloseHandle(CreateFileA((elsewhere.Path() + "b.reg").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  Win32UserMessages messages;
  for (const std::string* folder : {&elsewhere.Path(), &backups.Path()}) {
    file_to_type = "b.reg";
    dialog_answered = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, AnswerDialog);
    const std::optional<std::string> chosen = messages.AskOpenFile("Restore backup", *folder);
    KillTimer(nullptr, timer);
    ASSERT_TRUE(dialog_answered);
    EXPECT_EQ(chosen, *folder + "b.reg");
  }
}

TEST(FileDialogs, ChoosingAFileElsewhereLeavesTheCurrentFolder) {
  ScopedTempFolder start("dialog-start"), elsewhere("dialog-elsewhere");
  char saved[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, saved);
  SetCurrentDirectoryA(start.Path().c_str());
  const std::string backup = elsewhere.Path() + "backup.reg";
  CloseHandle(CreateFileA(backup.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  Win32UserMessages messages;
  for (const bool save : {false, true}) {
    file_to_type = save ? elsewhere.Path() + "results.reg" : backup;  // a new file: no question to answer
    dialog_answered = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, AnswerDialog);
    const std::optional<std::string> chosen =
        save ? messages.AskSaveFile("Save to file") : messages.AskOpenFile("Restore backup", "");
    KillTimer(nullptr, timer);
    ASSERT_TRUE(dialog_answered);
    EXPECT_EQ(chosen, file_to_type);
    char current[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, current);
    EXPECT_EQ(std::string(current) + "\\", start.Path()) << (save ? "Save as.." : "Restore backup..");
  }
  SetCurrentDirectoryA(saved);
}

}  // namespace
