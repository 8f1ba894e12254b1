#pragma once
// The problem record: what is wrong with one registry key.
#include <cstdint>
#include <string>
#include <vector>

class TErrorClass {
 public:
  TErrorClass(std::string message, std::string value_name, std::int32_t level);
  TErrorClass(std::string message, std::int32_t level);

  // No test for duplicates: the checks add each faulty value once.
  void AddValueName(const std::string& name) { FValueNames.push_back(name); }

  std::string FMessage;
  // Bad values of the key; "(Default)" stands for the unnamed value.
  std::vector<std::string> FValueNames;
  // 0 or less: delete the values; n >= 1: delete the key n - 1 levels up.
  std::int32_t FLevel;
  // The knowledge-base entries (by their number in the rules) whose checks
  // found it: a deletion judges the problem again by these.
  std::vector<std::int32_t> FRules;
};

// Merges source into target: the message once per distinct text, the larger
// level, the value names not yet present (letter case ignored), the rules
// not yet named.
void MergeProblem(TErrorClass& target, const TErrorClass& source);

// The messages the checks report.
inline constexpr const char* kFileNotFound = "File not found";
inline constexpr const char* kClassNotFound = "Class not found";
inline constexpr const char* kInterfaceNotFound = "Interface not found";
inline constexpr const char* kTypeLibNotFound = "TypeLib not Found";
inline constexpr const char* kDefaultValueName = "(Default)";
