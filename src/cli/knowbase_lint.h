#pragma once
// The knowledge-base linter: a knowledge base read exactly as the scanner
// reads it (the same INI reader and entry list), each finding tied to the
// line of its entry.
#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "cli/entry_lint.h"

class FileSystem;

struct LintFinding {
  std::size_t line;  // from 1
  LintSeverity severity;
  std::string message;
};

// The findings of a knowledge base's text, in line order.
std::vector<LintFinding> LintKnowledgeBase(const std::string& text);

// Exit codes of a lint.
inline constexpr int kLintClean = 0;
inline constexpr int kLintWarnings = 1;
inline constexpr int kLintErrors = 2;

// Writes one "FILE:LINE: severity: message" line each; returns the exit
// code: clean, warnings only, or errors.
int WriteLintFindings(const std::string& file, const std::vector<LintFinding>& findings, std::ostream& out);

// Lints the file at path; a file that cannot be read is told on err and
// counts as an error.
int LintKnowledgeBaseFile(FileSystem& files, const std::string& path, std::ostream& out, std::ostream& err);
