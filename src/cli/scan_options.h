#pragma once
// The command line of the headless scanner.
#include <optional>
#include <string>
#include <vector>

struct ScanOptions {
  std::optional<std::string> knowledge_base;  // default: beside the program
  std::optional<std::string> save_file;       // write the results file there
  bool help = false;
};

struct ParsedScanOptions {
  ScanOptions options;
  std::string error;  // empty when the command line is valid
};

ParsedScanOptions ParseScanOptions(const std::vector<std::string>& args);

extern const char* const kScanUsage;

// Exit codes.
inline constexpr int kExitClean = 0;
inline constexpr int kExitProblemsFound = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitStopped = 3;
