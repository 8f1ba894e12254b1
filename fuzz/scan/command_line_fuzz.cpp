// The command-line target test over the in-memory file system, as a scan
// looks files up. Input: the command line.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "platform/file_presence.h"
#include "platform/memory_files.h"
#include "scan/command_line.h"
#include "scan/file_lookup.h"
#include "scan/path_forms.h"

namespace {

// A few programs and documents where the search order finds them, and a
// folder that denies traverse.
MemoryFileSystem& Files() {
  static MemoryFileSystem* files = [] {
    auto* made = new MemoryFileSystem;
    made->AddFile("C:\\WINDOWS\\notepad.exe");
    made->AddFile("C:\\WINDOWS\\SYSTEM32\\rundll32.exe");
    made->AddFile("C:\\WINDOWS\\SYSTEM32\\shell32.dll");
    made->AddFile("C:\\Program Files\\App\\app.exe");
    made->AddFile("C:\\Docs\\page.htm");
    made->AddFolder("C:\\Docs\\Old");
    made->AddFile("C:\\Locked\\in.exe");
    made->SetLookupError("C:\\Locked", file_error::kAccessDenied);
    made->SetPathFolders({"C:\\Docs"});
    return made;
  }();
  return *files;
}

std::optional<std::string> Variable(const std::string& name) {
  if (name == "SystemRoot") return "C:\\WINDOWS";
  if (name == "PATHEXT") return ".COM;.EXE";
  return std::nullopt;
}

struct Outcome {
  Presence presence;
  std::vector<std::pair<std::string, Presence>> asked;
};

Outcome Test(const std::string& command_line) {
  Outcome outcome{Presence::kMissing, {}};
  FileLookup lookup(Files());
  const CommandLookups lookups{[&](const std::string& name) {
                                 const Presence presence = lookup.Search(name);
                                 outcome.asked.emplace_back(name, presence);
                                 return presence;
                               },
                               Variable};
  outcome.presence = CommandTargetPresence(command_line, lookups);
  return outcome;
}

// The name as the text holds it: itself, or with an extension the system
// adds to a program or library named without one.
bool ComesFrom(const std::string& name, const std::string& text) {
  if (text.find(name) != std::string::npos) return true;
  for (const char* added : {".exe", ".COM", ".dll"})
    if (name.ends_with(added) && text.find(name.substr(0, name.size() - 4)) != std::string::npos) return true;
  return false;
}

// The path of a line that is a file URL, quoted or not: its names are
// decoded from the URL.
std::optional<std::string> UrlPath(std::string_view line) {
  if (line.starts_with('"')) line = line.substr(1, line.find('"', 1) - 1);
  return FileUrlPath(line);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string command_line(reinterpret_cast<const char*>(data), size);
  const Outcome outcome = Test(command_line);
  const std::string text = command_line.substr(0, command_line.find('\0'));
  // The blanks around a line are no part of it.
  const std::size_t first = text.find_first_not_of(" \t");
  const std::string trimmed =
      first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(" \t") - first + 1);
  const std::string expanded = ExpandVariables(trimmed, {nullptr, Variable});
  const std::optional<std::string> url = UrlPath(trimmed);

  bool any_missing = false, any_found = false;
  for (const auto& [name, presence] : outcome.asked) {
    // Only names the file system could hold, with every reference expanded,
    // taken from the line.
    FUZZ_CHECK(!name.empty() && name.find('\0') == std::string::npos);
    FUZZ_CHECK(!IsRejectedFileName(name) && !HoldsVariable(name));
    FUZZ_CHECK(ComesFrom(name, expanded) || (url && ComesFrom(name, *url)));
    any_missing |= presence == Presence::kMissing;
    any_found |= presence == Presence::kFound;
  }
  // Nothing is found that no look-up found, nothing missing that no
  // look-up missed, but a text that names nothing (empty, or nothing
  // between its quotation marks).
  const bool names_nothing = expanded.empty() || ((expanded[0] == '"' || expanded[0] == '\'') &&
                                                  (expanded.size() == 1 || expanded[1] == expanded[0]));
  if (outcome.presence == Presence::kFound) FUZZ_CHECK(any_found);
  if (outcome.presence == Presence::kMissing) FUZZ_CHECK(any_missing || names_nothing);
  // Only the text before a zero byte counts.
  if (text != command_line) FUZZ_CHECK(Test(text).presence == outcome.presence);
  return 0;
}
