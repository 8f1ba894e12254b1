#pragma once
// The restore center's texts in the current language, and the cells of one
// listed backup.
#include <array>
#include <string>
#include <vector>

#include "clean/backup_center.h"

class TLangv;

// The list's columns, in order.
enum BackupColumn { kDateColumn, kMadeByColumn, kProblemsColumn, kKeysColumn, kValuesColumn, kSizeColumn,
                    kStateColumn, kFileColumn, kFolderColumn, kBackupColumnCount };

struct BackupCenterTexts {
  std::string title;
  std::array<std::string, kBackupColumnCount> columns;
  std::string restore;
  std::string show_in_folder;
  std::string view;
  std::string delete_file;
  std::string remove;
  std::string close;
  std::array<std::string, 6> states;  // in the order of BackupFileState
  std::string restore_changed;     // the question before restoring a file changed since it was made
  std::string not_recorded;
  std::string delete_question;     // %1 the file, on a line of its own
  std::string cannot_delete;       // %1 the file
  std::string history_not_stored;  // the history could not be written
};

BackupCenterTexts BackupCenterTextsOf(const TLangv& langv);
// The history could not be written, and where it goes.
std::string BackupHistoryNotStoredText(const TLangv& langv);
std::array<std::string, kBackupColumnCount> BackupCells(const BackupEntry& entry, const BackupCenterTexts& texts);
