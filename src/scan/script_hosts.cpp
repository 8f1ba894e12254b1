#include "scan/script_hosts.h"

#include "platform/case_fold.h"

namespace {

struct ScriptHost {
  std::string_view program;  // its file name without ".exe"
  // The switches after which the file comes, blank-separated, without
  // their mark; none: the file is the first argument that is no switch.
  std::string_view switches;
  std::string_view switch_marks;  // the characters a switch begins with
  HostedKind kind;
  char name_end;
};

// A product code after msiexec's switches ("/i {...}") names no file: the
// host alone is judged.
constexpr ScriptHost kScriptHosts[] = {
    {"rundll32", "", "", HostedKind::kLibrary, ','},
    {"regsvr32", "", "/-", HostedKind::kLibrary, '\0'},
    {"cmd", "c k", "/", HostedKind::kProgram, '\0'},
    {"msiexec", "i package p", "/-", HostedKind::kDocument, '\0'},
    {"wscript", "", "/", HostedKind::kDocument, '\0'},
    {"cscript", "", "/", HostedKind::kDocument, '\0'},
    {"powershell", "file f", "-/", HostedKind::kDocument, '\0'},
    {"pwsh", "file f", "-/", HostedKind::kDocument, '\0'},
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view SkipBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

// The length of the argument at the start of the text: up to a blank
// outside quotation marks.
std::size_t ArgumentLength(std::string_view text) {
  bool quoted = false;
  std::size_t length = 0;
  for (; length < text.size() && (quoted || !IsBlank(text[length])); ++length)
    if (text[length] == '"') quoted = !quoted;
  return length;
}

bool IsListed(std::string_view name, std::string_view list) {
  for (std::size_t start = 0; start < list.size();) {
    const std::size_t end = std::min(list.find(' ', start), list.size());
    if (EqualsNoCase(name, list.substr(start, end - start))) return true;
    start = end + 1;
  }
  return false;
}

const ScriptHost* HostNamed(std::string_view program) {
  if (program.size() > 4 && EqualsNoCase(program.substr(program.size() - 4), ".exe")) program.remove_suffix(4);
  for (const ScriptHost& host : kScriptHosts)
    if (EqualsNoCase(program, host.program)) return &host;
  return nullptr;
}

}  // namespace

std::optional<HostedFile> FileAHostRuns(std::string_view program, std::string_view arguments) {
  const ScriptHost* host = HostNamed(program);
  if (!host || (!arguments.empty() && !IsBlank(arguments.front()))) return std::nullopt;
  for (std::string_view rest = SkipBlanks(arguments); !rest.empty();) {
    const std::string_view argument = rest.substr(0, ArgumentLength(rest));
    const bool is_switch = host->switch_marks.find(argument.front()) != std::string_view::npos;
    if (host->switches.empty() && !is_switch) return HostedFile{rest, host->kind, host->name_end};
    rest = SkipBlanks(rest.substr(argument.size()));
    if (is_switch && IsListed(argument.substr(1), host->switches))
      return HostedFile{rest, host->kind, host->name_end};
  }
  return std::nullopt;
}
