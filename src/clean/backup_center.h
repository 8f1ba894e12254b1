#pragma once
// What the restore center lists: the recorded backups, newest first, and the
// backup files of Tarnel's own in the backup folder that the history lacks,
// each with the state of its file now.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "clean/backup_history.h"
#include "platform/files.h"
#include "regtext/Buck.h"

enum class BackupFileState {
  kIntact,    // there, and whole
  kCutShort,  // there, but its end is missing: restoring it would give back only part
  kUnsealed,  // there, written before backups carried an end line: cannot tell
  kGone,      // the file is not there any more
};

struct BackupEntry {
  BackupRecord record;  // for a file the history lacks: its path, and keys and values counted now
  bool recorded = true;
  BackupFileState state = BackupFileState::kGone;
  std::uint64_t size = 0;  // bytes
};

BackupFileState StateOfBackupText(std::string_view bytes);

// A file of the folder counts as Tarnel's own when it opens with Tarnel's
// line or bears the name a backup is given.
bool IsOwnBackupFile(const std::string& name, std::string_view bytes);

// folder_files: the .reg files of the backup folder, full paths.
std::vector<BackupEntry> BackupEntries(const std::vector<BackupRecord>& history, FileSystem& files,
                                       const std::vector<std::string>& folder_files);

// The record of a deletion that has just written the journal's file.
BackupRecord RecordOfDeletion(const TBuck& journal, const std::string& made_by, int problems,
                              const LocalTime& now);
// Records it when it deleted something and the journal's file exists (a
// dry run or a refused backup writes none; a deletion that refused all it
// backed up leaves the file as it was before, or none). False when it
// should have been but was not stored.
bool RecordDeletion(Registry& registry, FileSystem& files, const TBuck& journal, const std::string& made_by,
                    int problems, const LocalTime& now);

// "12 KB", "980 bytes".
std::string SizeText(std::uint64_t bytes);
// The folder part of a path, with its last backslash.
std::string FolderOf(const std::string& path);
