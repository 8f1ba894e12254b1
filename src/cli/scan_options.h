#pragma once
// The command line of the headless scanner.
#include <optional>
#include <string>
#include <vector>

#include "cli/result_formats.h"

struct ScanOptions {
  std::optional<std::string> knowledge_base;  // default: beside the program
  std::optional<std::string> save_file;       // write the results file there
  ResultFormat format = ResultFormat::kText;
  bool lint = false;                      // lint the knowledge base instead of scanning
  std::optional<std::string> lint_file;   // default: the knowledge base
  bool remove = false;                    // --delete: delete what Delete All deletes
  bool dry_run = false;                   // plan the deletion, change nothing
  std::optional<std::string> backup_file;   // default: named after the scan's start
  std::optional<std::string> restore_file;  // write a backup back instead of scanning
  bool allow_deletions = false;             // the restore may carry out deletion lines
  bool overwrite = false;                   // the restore overwrites values changed since the deletion
  bool force = false;                       // restore a recorded backup that changed since it was made
  bool list_backups = false;              // print the backup history instead of scanning
  bool list_ignored = false;              // print the ignore list instead of scanning
  bool no_ignore = false;                 // scan without the ignore list
  std::optional<std::string> offline_root;  // scan the Windows installation on that volume (Linux)
  std::optional<std::string> user;          // with offline_root: that profile only
  bool ignore_logs = false;                 // with offline_root: read dirty hives as last written cleanly
  bool help = false;
};

struct ParsedScanOptions {
  ScanOptions options;
  std::string error;  // empty when the command line is valid
};

ParsedScanOptions ParseScanOptions(const std::vector<std::string>& args);

extern const char* const kScanUsage;
// --restore latest: the newest backup of the history.
inline constexpr const char* kLatestBackup = "latest";
// What the program's own messages begin with.
inline constexpr const char* kScanProgram = "TarnelScan: ";

// Exit codes.
inline constexpr int kExitClean = 0;
inline constexpr int kExitProblemsFound = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitStopped = 3;
inline constexpr int kExitRefused = 4;  // some deletions (or restored keys) refused
