#pragma once
// The value of one knowledge-base entry: "description,level,check[,parameter]".
#include <cstdint>
#include <optional>
#include <string>

struct RuleValue {
  std::string description;  // up to the first comma (all of it without one)
  std::string level_text;
  std::string check_name;
  std::optional<std::string> parameter;  // everything after the third comma
  bool has_check_field = false;  // false when the value has fewer than two commas
};

RuleValue SplitRuleValue(const std::string& value);

// The number a level text spells: leading blanks skipped, then an optional
// sign and decimal digits, or hexadecimal digits after "$", "x" or "0x".
// None for anything else, an empty text, trailing characters and values
// out of the 32-bit range.
std::optional<std::int32_t> LevelNumber(const std::string& text);
// The level of an entry: LevelNumber, or 0 when the text spells none.
std::int32_t ParseLevel(const std::string& text);
