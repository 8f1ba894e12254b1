#pragma once
// The problems of a scan for programs: tab-separated values and JSON.
//
// TSV: a header line, then one line per problem in tree order with the
// fields path, message, level and values (the bad value names joined by
// "|"). In every field a backslash is written \\, a tab \t, a line feed \n,
// a carriage return \r and a "|" \x7c, so that neither a tab nor a "|" ever
// stands inside a field; the other bytes are written as they are (ANSI).
//
// JSON: one object: the ANSI code page of the texts, the summary (entries,
// problems, stopped) and the problems, each with path, message, level and
// values. The JSON text is ASCII: every byte of a name above 127 is written
// \u00XX, its own value as a code point, so any byte comes back exactly;
// decoded with the code page given, the strings are the names as text.
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "clean/deletion.h"
#include "scan/result_tree.h"

enum class ResultFormat { kText, kTsv, kJson };

// The format of that name (text, tsv, json); none for any other name.
std::optional<ResultFormat> ResultFormatNamed(const std::string& name);

// A hive file an offline scan read (see --offline).
struct ScannedHive {
  std::string path;
  std::string role;  // the key Windows shows it as
  bool present = false;
  std::size_t keys = 0;
  std::size_t values = 0;
  bool dirty = false;
  std::size_t log_entries_applied = 0;
};

struct ScanSummary {
  int entries = 0;  // of the knowledge base
  int problems = 0;
  bool stopped = false;
  std::vector<ScannedHive> hives;  // an offline scan's; JSON lists them as "hives"
};

// The hives as people read them: one line each.
void WriteHivesText(const std::vector<ScannedHive>& hives, std::ostream& out);

std::string TsvField(std::string_view text);
std::string JsonString(std::string_view text);

void WriteTsvResults(const ResultTree& tree, std::ostream& out);
// What --delete did (or, in a dry run, would do).
struct DeletionResults {
  std::string backup_file;  // empty when none was written
  std::vector<DeletionOutcome> deleted;
  std::vector<DeletionOutcome> refused;
  std::vector<DeletionOutcome> partly;       // JSON "partly_deleted", with reasons
  std::vector<DeletionOutcome> gone_before;  // JSON "gone_before"
};

// The problems as the JSON array the results hold; taken before a
// deletion prunes the tree.
std::string JsonProblems(const ResultTree& tree);
void WriteJsonResults(const std::string& problems, const ScanSummary& summary, unsigned code_page,
                      const DeletionResults* deletion, std::ostream& out);
void WriteJsonResults(const ResultTree& tree, const ScanSummary& summary, unsigned code_page, std::ostream& out);
// The deletion as people read it: the backup file, what was deleted, what
// was refused and why, what went only partly and what was gone before.
void WriteDeletionText(const DeletionResults& deletion, bool dry_run, std::ostream& out);
