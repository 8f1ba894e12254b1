#pragma once
// Finding the program or file named at the start of a command line.
#include <functional>
#include <string>

// The longest command line looked at: a 260-character working copy with its
// terminating zero. Longer texts are tested as cut there.
inline constexpr std::size_t kCommandLineChars = 259;

// search: the system search order for a name (true when found).
bool CommandTargetExists(const std::string& command_line, const std::function<bool(const std::string&)>& search);
