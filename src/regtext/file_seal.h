#pragma once
// Every registry file Tarnel writes (backups and results) opens with a
// comment line of its own right after the header and closes with one that
// counts its key blocks and value lines. A file that opens as Tarnel's but
// lacks that end line, or whose counts differ, was cut short (a full disk, a
// copy broken off) and must not be restored as if it were whole. The
// registry editor skips both lines as comments.
#include <cstddef>
#include <string>
#include <vector>

struct FileSealCounts {
  std::size_t keys = 0;    // key header lines
  std::size_t values = 0;  // value lines (continuation lines not counted)
};

enum class FileSealState {
  kNotOurs,   // no opening line of ours: a file from elsewhere
  kIntact,    // our opening line, and an end line whose counts match
  kCutShort,  // our opening line, but no end line or counts that differ
};

struct FileSealCheck {
  FileSealState state = FileSealState::kNotOurs;
  std::size_t line = 0;  // kCutShort: the 1-based number of the file's last line
};

// The comment line that follows the header.
const std::string& FileSealOpeningLine();
// The last line of a file holding these counts.
std::string FileSealEndLine(const FileSealCounts& counts);
// The key blocks and value lines of a document's lines (comment, blank and
// continuation lines do not count).
FileSealCounts CountRegistryLines(const std::vector<std::string>& lines);
// Reads the lines of a whole file (without line ends; blank lines at the
// end are passed over).
FileSealCheck CheckFileSeal(const std::vector<std::string>& lines);
