#include "platform/ini_lines.h"

#include <optional>
#include <string_view>

#include "platform/case_fold.h"
#include "platform/ini_file.h"

namespace {

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsProfileBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsProfileBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string UpToZero(std::string_view text) { return std::string(text.substr(0, text.find('\0'))); }

// The name of a section header line; none for any other line.
std::optional<std::string> HeaderName(std::string_view line) {
  if (line.empty() || line.front() != '[') return std::nullopt;
  const std::size_t close = line.rfind(']');
  if (close == std::string_view::npos) return std::nullopt;
  return UpToZero(TrimBlanks(line.substr(1, close - 1)));
}

IniLine EntryLine(std::size_t number, std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return IniLine{number, UpToZero(line), false};
  return IniLine{number, UpToZero(TrimBlanks(line.substr(0, equals))), true};
}

}  // namespace

IniSectionLines FindSectionLines(const std::string& text, const std::string& section) {
  const std::string wanted = FoldCase(section);
  IniSectionLines found;
  bool inside = false;
  std::string_view rest(text);
  if (rest.starts_with(kIniUtf8Bom)) rest.remove_prefix(kIniUtf8Bom.size());
  for (std::size_t number = 1; !rest.empty(); ++number) {
    const std::size_t end = std::min(rest.find_first_of("\r\n"), rest.size());
    const std::string_view line = TrimBlanks(rest.substr(0, end));
    std::size_t next = end;
    if (next < rest.size()) next += rest.compare(next, 2, "\r\n") == 0 ? 2 : 1;
    rest.remove_prefix(next);
    if (line.empty()) continue;
    if (const std::optional<std::string> header = HeaderName(line)) {
      const bool named = FoldCase(*header) == wanted;
      inside = named && found.header == 0;
      if (inside) found.header = number;
      else if (named) found.later_headers.push_back(number);
      continue;
    }
    if (inside) found.lines.push_back(EntryLine(number, line));
  }
  return found;
}
