#pragma once
// The environment variables a value's %NAME% references are expanded with,
// as the user's programs see them: the user's own variables
// (HKEY_CURRENT_USER\Environment) over the process's, and the program
// folders of the program that expands them, whatever this program's width.
// Each name is looked up once per width until Reset.
#include <optional>
#include <string>
#include <unordered_map>

class FileSystem;
class Registry;

// Whose program folders %ProgramFiles% and %CommonProgramFiles% name: a
// native program's, or a 32-bit program's on 64-bit Windows (the "(x86)"
// folders). Every other variable means the same to both.
enum class ProgramWidth { kNative, kThirtyTwoBit };

class UserEnvironment {
 public:
  UserEnvironment(Registry& registry, FileSystem& files) : registry_(registry), files_(files) {}

  void Reset() {
    for (auto& values : values_) values.clear();
  }
  // None when the variable is not set.
  std::optional<std::string> Value(const std::string& name, ProgramWidth width);

 private:
  std::optional<std::string> Lookup(const std::string& name, ProgramWidth width);
  std::optional<std::string> ProcessValue(const std::string& name, ProgramWidth width);

  Registry& registry_;
  FileSystem& files_;
  std::unordered_map<std::string, std::optional<std::string>> values_[2];  // per width, folded names
};
