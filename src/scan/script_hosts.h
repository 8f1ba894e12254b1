#pragma once
// Programs that run a file named in their arguments: a library, a script,
// a package. A command line of such a host names two files, the host and
// what it runs, and works only while both are there.
#include <optional>
#include <string_view>

// How a host finds the file it runs.
enum class HostedKind {
  kLibrary,   // loaded: a bare name along the search order, ".dll" added when it has none
  kProgram,   // started by the command interpreter: an extension of PATHEXT added when it has none
  kDocument,  // opened as named
};

struct HostedFile {
  // From the file's first character to the end of the line.
  std::string_view text;
  HostedKind kind;
  // What ends an unquoted name besides a blank ('\0': nothing).
  char name_end;
};

// The file the program runs, when the program is a host and names one.
// program: the file name of the program as found, ".exe" or not;
// arguments: the text after it.
std::optional<HostedFile> FileAHostRuns(std::string_view program, std::string_view arguments);
