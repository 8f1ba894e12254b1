#pragma once
// The backup history: every backup file a deletion wrote, with when, by
// which command and what it holds, stored per user below the settings key
// so that the backups can be found again later. Only the newest records are
// kept; dropping a record never touches its file.
#include <cstddef>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/registry.h"

struct BackupRecord {
  std::string file;     // full path
  std::string time;     // "2026-12-08 00:41:07", local time of the last write
  std::string made_by;  // the command: "Delete Key", "Delete", "Delete All", "--delete"
  int keys = 0;         // key blocks the file holds
  int values = 0;       // value lines the file holds
  int problems = 0;     // problems deleted with this file as their backup
  bool operator==(const BackupRecord&) const = default;
};

// Below HKEY_CURRENT_USER: one subkey per record, "1" the newest.
inline constexpr const char* kBackupHistoryKey = "Software\\Vexa\\Quellin\\Backups";
inline constexpr std::size_t kBackupHistoryLimit = 100;
inline constexpr const char* kBackupHistoryNotStored =
    "Cannot store the backup history under HKEY_CURRENT_USER\\Software\\Vexa\\Quellin\\Backups";

// Newest first; a subkey without a file name is passed over.
std::vector<BackupRecord> ReadBackupHistory(Registry& registry);
// Replaces the stored history; false when it could not be written.
bool WriteBackupHistory(Registry& registry, const std::vector<BackupRecord>& records);

// Puts the record first. A scan writes one backup file and rewrites it whole
// at each deletion: an earlier record of the same file (letter case aside)
// is replaced, its problems added to the new one's. Keeps the newest
// kBackupHistoryLimit.
void AddBackupRecord(std::vector<BackupRecord>& records, BackupRecord record);
// False when no record names the file.
bool RemoveBackupRecord(std::vector<BackupRecord>& records, const std::string& file);
// Reads, adds and writes back.
bool StoreBackupRecord(Registry& registry, BackupRecord record);

std::string BackupTime(const LocalTime& time);
