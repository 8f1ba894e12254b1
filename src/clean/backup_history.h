#pragma once
// The backup history: every backup file a deletion wrote, with when, by
// which program and command, what it holds and what became of the deletion,
// stored per user below the settings key so that the backups can be found
// again later. It only grows: each backup adds a subkey of its own and no
// record is ever rewritten, so a kill loses at most the record being added.
// Only the newest records are kept; dropping a record never touches its file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/registry.h"

struct BackupRecord {
  std::string file;     // full path
  std::string time;     // "2026-12-08 00:41:07", local time of the deletion
  std::string made_by;  // the command: "Delete Key", "Delete", "Delete All", "--delete"
  int keys = 0;         // key blocks the file holds
  int values = 0;       // value lines the file holds
  int problems = 0;     // problems this deletion deleted
  int refused = 0;      // problems backed up in the file but not deleted
  int partly = 0;       // problems partly deleted: the rest changed while they were deleted
  std::string program;  // "Tarnel", "TarnelScan"
  std::uint64_t size = 0;  // of the file as written
  std::string sha256;      // of the file as written; empty in records of earlier versions
  std::string id;          // the record's subkey
  bool operator==(const BackupRecord&) const = default;
};

// Below HKEY_CURRENT_USER: one subkey per record.
inline constexpr const char* kBackupHistoryKey = "Software\\Vexa\\Quellin\\Backups";
inline constexpr std::size_t kBackupHistoryLimit = 100;
inline constexpr const char* kBackupHistoryNotStored =
    "Cannot store the backup history under HKEY_CURRENT_USER\\Software\\Vexa\\Quellin\\Backups";

// The newest kBackupHistoryLimit, newest first; a record without a file
// name (its writing cut off) is passed over.
std::vector<BackupRecord> ReadBackupHistory(Registry& registry);
// Adds the record under a subkey of its own, then removes the oldest beyond
// the limit. False when it could not be written.
bool StoreBackupRecord(Registry& registry, BackupRecord record);
// Removes the records of the file (letter case aside); false when none was
// there or one could not be removed.
bool ForgetBackupRecord(Registry& registry, const std::string& file);

std::string BackupTime(const LocalTime& time);
