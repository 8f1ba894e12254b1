#pragma once
// File > Backups..: the restore center. Lists every recorded backup and the
// backup files of Tarnel's own in the backup folder, with what each holds
// and whether its file is whole; restores one, shows it in Explorer, opens
// it in Notepad, deletes its file (after asking) or takes it off the list.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "clean/backup_center.h"
#include "app/backup_center_texts.h"
#include "app/user_messages.h"
#include "app/win32/dialog_window.h"

struct BackupCenterServices {
  Registry& registry;
  FileSystem& files;
  UserMessages& messages;
  std::string folder;  // the backup folder, with its backslash
  // Restores a file with the usual question and summary.
  std::function<void(const std::string& file)> restore;
};

class TBackupCenter : public DialogWindow {
 public:
  TBackupCenter(BackupCenterServices services, BackupCenterTexts texts);

 private:
  INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void FormCreate();
  void Layout();
  void ShowEntries();
  void ShowButtonStates();
  // The selected entry; null when none is selected.
  const BackupEntry* Selected() const;
  void RestoreSelected();
  void ShowSelectedInFolder();
  void ViewSelected();
  void DeleteSelectedFile();
  void RemoveSelected();
  // The file leaves the history; false (and said so) when it could not.
  bool Forget(const std::string& file);

  BackupCenterServices services_;
  BackupCenterTexts texts_;
  std::vector<BackupEntry> entries_;
  SIZE minimum_{};
  // top: between the list and the buttons; right and bottom: to the edges.
  RECT margins_{};
};
