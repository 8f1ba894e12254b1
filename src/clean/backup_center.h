#pragma once
// What the restore center lists: the recorded backups, newest first, and the
// backup files of Tarnel's own in the backup folder that the history lacks
// (those of a run that was killed before it recorded its file), each with
// the state of its file now.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "clean/backup_history.h"
#include "clean/deletion.h"
#include "platform/files.h"
#include "regtext/Buck.h"

enum class BackupFileState {
  kIntact,    // there, and as it was written (its size and SHA-256, or its end line)
  kChanged,   // there, but not the file written: replaced or edited since it was made
  kCutShort,  // there, but its end is missing: restoring it would give back only part
  kUnsealed,  // there, written before backups carried an end line: cannot tell
  kGone,      // the file is not there any more
  kNotAFile,  // the record names a device, a folder or a pipe: never opened
};

struct BackupEntry {
  BackupRecord record;  // for a file the history lacks: its path, the time of its name, keys and values counted now
  bool recorded = true;
  BackupFileState state = BackupFileState::kGone;
  std::uint64_t size = 0;  // bytes
};

// The most a backup file is read of when its record gives no size (records
// of earlier versions, files the history lacks, a file a user chose).
inline constexpr std::uint64_t kLargestBackupFile = 256u << 20;

BackupFileState StateOfBackupText(std::string_view bytes);

// A file of the folder counts as Tarnel's own when it opens with Tarnel's
// line or bears the name a backup is given.
bool IsOwnBackupFile(const std::string& name, std::string_view bytes);

// folder: the backup folder ("" for none), whose .reg files of Tarnel's own
// that the history lacks are listed after the recorded ones.
std::vector<BackupEntry> BackupEntries(const std::vector<BackupRecord>& history, FileSystem& files,
                                       const std::string& folder);
// The newest backup that can be restored (not gone, cut short or a device),
// recorded or not; none when there is none.
std::optional<BackupEntry> LatestBackup(const std::vector<BackupEntry>& entries);

// The record of a deletion that has just written the journal's file.
BackupRecord RecordOfDeletion(const WrittenBackup& written, const std::string& made_by, const std::string& program,
                              const DeletionSummary& summary, const LocalTime& now);
// Records it when the deletion wrote a backup file (a dry run or a refused
// backup writes none). False when it should have been but was not stored.
bool RecordDeletion(Registry& registry, const TBuck& journal, const std::string& made_by, const std::string& program,
                    const DeletionSummary& summary, const LocalTime& now);

// "12 KB", "980 bytes".
std::string SizeText(std::uint64_t bytes);
// The folder part of a path, with its last backslash.
std::string FolderOf(const std::string& path);
