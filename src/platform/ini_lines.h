#pragma once
// Where the entries of one INI section stand in the file text. The reader
// (IniFile) keeps no line numbers; this separate pass finds the section and
// its lines the way the reader does: the same line ends (CR or LF), the
// same blanks, the first header of that name (case of ASCII letters
// ignored) and the names cut at a zero byte.
//
// Lines are numbered as editors number them: a line ends at LF, at CR LF
// or at a lone CR. The two can disagree only where an editor does not take
// a lone CR for a line end.
#include <cstddef>
#include <string>
#include <vector>

struct IniLine {
  std::size_t number = 0;  // from 1
  std::string name;        // the entry name as the reader takes it
  bool has_value = false;  // the line has "="
};

struct IniSectionLines {
  std::size_t header = 0;                  // the section's first header; 0 when there is none
  std::vector<std::size_t> later_headers;  // further headers of that name, which the reader ignores
  // Every non-empty line below the first header up to the next header, in
  // order: entries, lines without "=" and comments alike.
  std::vector<IniLine> lines;
};

// section: a name, not empty (the lines above the first header are no
// section here).
IniSectionLines FindSectionLines(const std::string& text, const std::string& section);
