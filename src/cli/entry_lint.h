#pragma once
// What one knowledge-base entry tells its author: its name and value read
// as the scanner reads them (the same split, level parser, check lookup and
// root names), and what of it the scanner skips or takes otherwise than
// the entry seems to mean.
#include <string>
#include <vector>

enum class LintSeverity { kWarning, kError };

struct EntryFinding {
  LintSeverity severity;
  std::string message;
};

// name and value as the scanner holds them, after the INI reader.
std::vector<EntryFinding> LintEntry(const std::string& name, const std::string& value);
