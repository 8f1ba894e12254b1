#pragma once
// Restoring a backup: a REGEDIT4 file (one Tarnel wrote, or any other) or a
// file of the registry editor's later UTF-16 form merged into the registry
// by Tarnel's own reader, with the exact bytes it holds (the registry
// editor would add a zero to text that lacks one).
//
// A restore puts back what is missing now and overwrites nothing that
// changed since: a value there with the same type and bytes is left as it
// is, one there with other data is a conflict, kept as it is now and
// listed, unless the user chose to overwrite. So a backup that holds more
// than went (a killed run, a refused or partly deleted problem) gives back
// exactly what went. It deletes only when the user allows it after being
// told what would go (Tarnel's own files never delete). A file that writes
// values into a root key itself, or a file of Tarnel's that was cut short,
// is not used at all.
#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"
#include "platform/registry.h"

struct RestorePlan {
  int keys = 0;     // keys written, each counted once
  int values = 0;   // values written, each counted once
  std::string error;  // "line N: ..." when the file cannot be used; nothing is written then
  // What the file deletes, a line each: "line N: [-key]", "line N: [key] "name"=-".
  std::vector<std::string> deletions;
};

struct RestoreReport {
  int keys = 0;          // created
  int values = 0;        // written (conflicts overwritten included)
  int keys_there = 0;    // there already
  int values_there = 0;  // there already with the same type and bytes
  // Values there with other data: "[key] "name"" each ("@" the default
  // value); kept, or overwritten when asked.
  std::vector<std::string> conflicts;
  bool overwritten = false;
  int deleted_keys = 0;
  int deleted_values = 0;
  std::vector<std::string> failures;  // what could not be written, and where
};
enum class OnConflict { kKeep, kOverwrite };

// The file's bytes as read from disk.
RestorePlan PlanRestore(std::string_view file, const CodePages& code_pages);
// Writes the file's keys and values that are missing now (and conflicts
// when told to); a key or value that cannot be written is reported and the
// rest goes on.
RestoreReport ApplyRestore(Registry& registry, std::string_view file, const CodePages& code_pages,
                           OnConflict on_conflict = OnConflict::kKeep);
// The conflicts a restore would meet now, writing nothing.
std::vector<std::string> RestoreConflicts(Registry& registry, std::string_view file, const CodePages& code_pages);

// The confirmation and the report as the user reads them.
std::string RestoreQuestion(const RestorePlan& plan, const std::string& file);
// The second question, of a file that deletes: what would be deleted.
std::string RestoreDeletionsQuestion(const RestorePlan& plan);
// Why a file that deletes is refused when deleting is not allowed.
std::string RestoreDeletionsRefusal(const RestorePlan& plan);
std::string RestoreSummary(const RestoreReport& report);
// Whether it wrote all it should: nothing kept, nothing failed.
bool RestoredAll(const RestoreReport& report);
