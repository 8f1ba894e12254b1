#pragma once
// The backup history as TarnelScan --backups lists it: text for people, or
// TSV and JSON (escaped as the results are) for programs.
#include <ostream>
#include <string>
#include <vector>

#include "clean/backup_center.h"
#include "cli/result_formats.h"

// "intact", "cut short", "no end line", "gone".
const char* BackupStateName(BackupFileState state);
void WriteBackupList(const std::vector<BackupEntry>& entries, ResultFormat format, std::ostream& out);
