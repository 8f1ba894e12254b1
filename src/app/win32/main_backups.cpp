// The main window's way back: the restore center, Undo Delete, and the
// option of a restore point before Delete All.
#include "app/win32/main.h"

#include "app/backup_center_texts.h"
#include "app/restore_point.h"
#include "app/win32/BackupCenter.h"
#include "clean/backup_center.h"
#include "lang/message_numbers.h"
#include "platform/key_path.h"
#include "platform/root_keys.h"
#include "platform/settings_key.h"

void TMainForm::RecordBackup(const std::string& made_by, const DeletionSummary& summary) {
  const TBuck& journal = session_->Journal();
  if (!journal.Written()) return;
  undo_backup_ = journal.Written()->file;
  if (!RecordDeletion(services_.registry, journal, made_by, "Tarnel", summary, services_.clock.Now()))
    services_.messages.Error(BackupHistoryNotStoredText(*FLangv));
}

void TMainForm::ActionBackupsExecute() {
  BackupCenterServices services{services_.registry, services_.files, services_.messages,
                                session_->Journal().Folder(),
                                [this](const std::string& file) { RestoreFile(file); }};
  TBackupCenter center(std::move(services), BackupCenterTextsOf(*FLangv));
  center.ShowModal(window_);
}

void TMainForm::ActionUndoDeleteExecute() {
  if (!undo_backup_.empty()) RestoreFile(undo_backup_);
}

void TMainForm::OptionsRestorePointExecute() {
  const bool on = !options_.restore_point;
  if (!WriteRestorePointOption(services_.registry, on)) {
    services_.messages.Error(
        FillIn(FLangv->GetMsg(kMsgOptionNotStored), {KeyPath(kHkeyCurrentUser, kSettingsKey).FullName()}));
    return;
  }
  options_.restore_point = on;
  ShowCommandStates();
}
