#pragma once
// Finding the program or file named at the start of a command line, as
// Windows would start or load it.
#include <functional>
#include <optional>
#include <string>

#include "platform/files.h"

struct CommandLookups {
  // The system search order for a bare name, a path looked up as it stands.
  std::function<Presence(const std::string& name)> search;
  // An environment variable's value; none when it is not set.
  std::function<std::optional<std::string>(const std::string& name)> variable;
};

// Replaces every %NAME% reference to a variable that has a value by that
// value and leaves the others as written. "%1", "%*" and texts with blanks
// between two percent signs are not references.
std::string ExpandVariables(const std::string& text, const CommandLookups& lookups);
// Whether a %NAME% reference is left in the text.
bool HoldsVariable(const std::string& text);

// Found when any reading of the text names something that is there;
// missing only when every reading was looked up and none is there. The
// blanks around the text are no part of it. The program of an unquoted
// line is, as the system starts it, the first of its texts up to a blank
// that names a file (".exe" and PATHEXT's extensions added to a name
// without one); a host that runs a file (script_hosts.h) is found only
// with that file.
Presence CommandTargetPresence(const std::string& command_line, const CommandLookups& lookups);
