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
  // The knowledge-base entries whose checks found it, each with the key's
  // full path as its pattern reached it (the key may be shown by another
  // name): a deletion judges the problem again by these, there.
  struct FoundBy {
    std::int32_t rule;  // its number in the rules
    std::string path;
    bool operator==(const FoundBy&) const = default;
  };
  std::vector<FoundBy> FRules;
};

// Merges source into target: the message once per distinct text, the larger
// level, the value names not yet present (letter case ignored), the rules
// not yet named (a rule that reached the key by another path adds nothing).
void MergeProblem(TErrorClass& target, const TErrorClass& source);

// The messages the checks report.
inline constexpr const char* kFileNotFound = "File not found";
inline constexpr const char* kClassNotFound = "Class not found";
inline constexpr const char* kInterfaceNotFound = "Interface not found";
inline constexpr const char* kTypeLibNotFound = "TypeLib not Found";
inline constexpr const char* kDefaultValueName = "(Default)";
