// The value of a knowledge-base entry: split into its fields, its level
// read, its check routine looked up. Input: the value.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "ascii_upper.h"
#include "fuzz_check.h"
#include "scan/BaseVer.h"
#include "scan/rule_entry.h"

namespace {

// Digits without their leading zeros, hex digits in upper case.
std::string Significant(std::string digits) {
  digits.erase(0, digits.find_first_not_of('0'));
  return AsciiUpper(digits);
}

// Leading blanks count for nothing, a trailing one spoils any number, and
// whatever level is read comes back from its own decimal and hex forms. A
// level other than 0 is the number written, not wrapped around: the same
// digits, the same sign.
void CheckLevel(const std::string& text) {
  const std::int32_t level = ParseLevel(text);
  FUZZ_CHECK(ParseLevel("  " + text) == level);
  FUZZ_CHECK(ParseLevel(text + " ") == 0);
  FUZZ_CHECK(ParseLevel(std::to_string(level)) == level);
  char hex[9];
  std::snprintf(hex, sizeof hex, "%X", static_cast<std::uint32_t>(level));
  for (const char* prefix : {"$", "x", "0x", "0X"}) FUZZ_CHECK(ParseLevel(prefix + std::string(hex)) == level);
  if (level == 0) return;

  std::string number = text.substr(text.find_first_not_of(' '));
  for (const char* prefix : {"$", "x", "X", "0x", "0X"}) {
    if (number.starts_with(prefix)) {
      FUZZ_CHECK(Significant(number.substr(std::string(prefix).size())) == hex);
      return;
    }
  }
  const bool negative = number.starts_with('-');
  if (negative || number.starts_with('+')) number.erase(0, 1);
  FUZZ_CHECK((negative ? "-" : "") + Significant(number) == std::to_string(level));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string value(reinterpret_cast<const char*>(data), size);
  const RuleValue rule = SplitRuleValue(value);

  // The fields are the value cut at its first three commas, nothing lost.
  FUZZ_CHECK(rule.description.find(',') == std::string::npos);
  FUZZ_CHECK(rule.level_text.find(',') == std::string::npos);
  FUZZ_CHECK(rule.check_name.find(',') == std::string::npos);
  FUZZ_CHECK(rule.has_check_field || (rule.check_name.empty() && !rule.parameter));
  std::string joined = rule.description;
  if (value.find(',') != std::string::npos) joined += ',' + rule.level_text;
  if (rule.has_check_field) joined += ',' + rule.check_name;
  if (rule.parameter) joined += ',' + *rule.parameter;
  FUZZ_CHECK(joined == value);

  CheckLevel(rule.level_text);
  CheckLevel(value);

  // ASCII case does not count; the length does.
  const TINISectionVarClass::CheckRoutine routine = TINISectionVarClass::FindCheck(rule.check_name);
  FUZZ_CHECK(TINISectionVarClass::FindCheck(AsciiUpper(rule.check_name)) == routine);
  FUZZ_CHECK(!routine || !TINISectionVarClass::FindCheck(rule.check_name + " "));
  return 0;
}
