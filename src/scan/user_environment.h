#pragma once
// The environment variables a value's %NAME% references are expanded with,
// as the user's programs see them: the user's own variables
// (HKEY_CURRENT_USER\Environment) over the process's, and the program
// folders with their 64-bit meaning from a program of either width. Each
// name is looked up once until Reset.
#include <optional>
#include <string>
#include <unordered_map>

class FileSystem;
class Registry;

class UserEnvironment {
 public:
  UserEnvironment(Registry& registry, FileSystem& files) : registry_(registry), files_(files) {}

  void Reset() { values_.clear(); }
  // None when the variable is not set.
  std::optional<std::string> Value(const std::string& name);

 private:
  std::optional<std::string> Lookup(const std::string& name);
  std::optional<std::string> ProcessValue(const std::string& name);

  Registry& registry_;
  FileSystem& files_;
  std::unordered_map<std::string, std::optional<std::string>> values_;  // folded names
};
