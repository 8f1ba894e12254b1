#include "app/backup_center_texts.h"

#include "lang/langv.h"
#include "lang/message_numbers.h"
#include "platform/key_path.h"
#include "platform/root_keys.h"

BackupCenterTexts BackupCenterTextsOf(const TLangv& langv) {
  BackupCenterTexts texts;
  texts.title = langv.GetMsg(kMsgBackupsTitle);
  texts.columns = {langv.GetMsg(kMsgBackupsDate),   langv.GetMsg(kMsgBackupsMadeBy), langv.GetMsg(kMsgBackupsProblems),
                   langv.GetMsg(kMsgBackupsKeys),   langv.GetMsg(kMsgBackupsValues), langv.GetMsg(kMsgBackupsSize),
                   langv.GetMsg(kMsgBackupsState),  langv.GetMsg(kMsgBackupsFile),   langv.GetMsg(kMsgBackupsFolder)};
  texts.restore = langv.GetMsg(kMsgBackupsRestore);
  texts.show_in_folder = langv.GetMsg(kMsgBackupsShowInFolder);
  texts.view = langv.GetMsg(kMsgBackupsView);
  texts.delete_file = langv.GetMsg(kMsgBackupsDeleteFile);
  texts.remove = langv.GetMsg(kMsgBackupsRemove);
  texts.close = langv.GetMsg(kMsgTipClose);
  texts.states = {langv.GetMsg(kMsgBackupStateIntact),   langv.GetMsg(kMsgBackupStateChanged),
                  langv.GetMsg(kMsgBackupStateCutShort), langv.GetMsg(kMsgBackupStateUnsealed),
                  langv.GetMsg(kMsgBackupStateGone),     langv.GetMsg(kMsgBackupStateNotAFile)};
  texts.restore_changed = langv.GetMsg(kMsgRestoreChangedBackup);
  texts.not_recorded = langv.GetMsg(kMsgBackupNotRecorded);
  texts.delete_question = langv.GetMsg(kMsgDeleteFileQuestion);
  texts.cannot_delete = langv.GetMsg(kMsgCannotDeleteFile);
  texts.history_not_stored = BackupHistoryNotStoredText(langv);
  return texts;
}

std::string BackupHistoryNotStoredText(const TLangv& langv) {
  return FillIn(langv.GetMsg(kMsgBackupHistoryNotStored), {KeyPath(kHkeyCurrentUser, kBackupHistoryKey).FullName()});
}

std::array<std::string, kBackupColumnCount> BackupCells(const BackupEntry& entry, const BackupCenterTexts& texts) {
  const BackupRecord& record = entry.record;
  const bool gone = entry.state == BackupFileState::kGone || entry.state == BackupFileState::kNotAFile;
  const std::string folder = FolderOf(record.file);
  return {record.time,
          entry.recorded ? record.made_by : texts.not_recorded,
          entry.recorded ? std::to_string(record.problems) : "",
          std::to_string(record.keys),
          std::to_string(record.values),
          gone ? "" : SizeText(entry.size),
          texts.states[static_cast<std::size_t>(entry.state)],
          record.file.substr(folder.size()),
          folder};
}
