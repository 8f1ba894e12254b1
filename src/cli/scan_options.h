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
  bool help = false;
};

struct ParsedScanOptions {
  ScanOptions options;
  std::string error;  // empty when the command line is valid
};

ParsedScanOptions ParseScanOptions(const std::vector<std::string>& args);

extern const char* const kScanUsage;
// What the program's own messages begin with.
inline constexpr const char* kScanProgram = "TarnelScan: ";

// Exit codes.
inline constexpr int kExitClean = 0;
inline constexpr int kExitProblemsFound = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitStopped = 3;
