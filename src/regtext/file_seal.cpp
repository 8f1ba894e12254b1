#include "regtext/file_seal.h"

#include <cstdio>

namespace {

constexpr const char* kEndPrefix = "; End of Tarnel's file. Keys: ";

bool IsValueLine(const std::string& line) { return !line.empty() && (line[0] == '"' || line[0] == '@'); }

}  // namespace

const std::string& FileSealOpeningLine() {
  static const std::string line = "; Written by Tarnel. A file without its end line is cut short.";
  return line;
}

std::string FileSealEndLine(const FileSealCounts& counts) {
  return kEndPrefix + std::to_string(counts.keys) + ". Values: " + std::to_string(counts.values) + ".";
}

FileSealCounts CountRegistryLines(const std::vector<std::string>& lines) {
  FileSealCounts counts;
  for (const std::string& line : lines) {
    if (!line.empty() && line[0] == '[') ++counts.keys;
    else if (IsValueLine(line)) ++counts.values;
  }
  return counts;
}

FileSealCheck CheckFileSeal(const std::vector<std::string>& lines) {
  FileSealCheck check;
  if (lines.size() < 2 || lines[1] != FileSealOpeningLine()) return check;
  std::size_t end = lines.size();
  while (end > 0 && lines[end - 1].empty()) --end;
  check.line = end;
  const std::vector<std::string> body(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(end - 1));
  const bool sealed = lines[end - 1] == FileSealEndLine(CountRegistryLines(body));
  check.state = sealed ? FileSealState::kIntact : FileSealState::kCutShort;
  return check;
}
