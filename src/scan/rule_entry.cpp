#include "scan/rule_entry.h"

#include <limits>

RuleValue SplitRuleValue(const std::string& value) {
  RuleValue rule;
  const std::string::size_type first = value.find(',');
  rule.description = value.substr(0, first);
  if (first == std::string::npos) return rule;
  const std::string::size_type second = value.find(',', first + 1);
  rule.level_text = value.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
  if (second == std::string::npos) return rule;
  rule.has_check_field = true;
  const std::string::size_type third = value.find(',', second + 1);
  if (third == std::string::npos) {
    rule.check_name = value.substr(second + 1);
  } else {
    rule.check_name = value.substr(second + 1, third - second - 1);
    rule.parameter = value.substr(third + 1);
  }
  return rule;
}

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Hexadecimal digits to the end of the text; up to 32 bits, taken as the
// signed value of those bits.
std::optional<std::int32_t> ParseHex(const std::string& text, std::size_t pos) {
  if (pos >= text.size()) return std::nullopt;
  std::uint64_t value = 0;
  for (; pos < text.size(); ++pos) {
    const int digit = HexDigit(text[pos]);
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<std::uint64_t>(digit);
    if (value > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
  }
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

std::optional<std::int32_t> ParseDecimal(const std::string& text, std::size_t pos) {
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  if (pos >= text.size()) return std::nullopt;
  std::int64_t value = 0;
  for (; pos < text.size(); ++pos) {
    if (text[pos] < '0' || text[pos] > '9') return std::nullopt;
    value = value * 10 + (text[pos] - '0');
    if (value > static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

}  // namespace

std::optional<std::int32_t> LevelNumber(const std::string& text) {
  std::size_t pos = text.find_first_not_of(' ');
  if (pos == std::string::npos) return std::nullopt;
  if (text[pos] == '$' || text[pos] == 'x' || text[pos] == 'X') return ParseHex(text, pos + 1);
  if (text[pos] == '0' && pos + 1 < text.size() && (text[pos + 1] == 'x' || text[pos + 1] == 'X'))
    return ParseHex(text, pos + 2);
  return ParseDecimal(text, pos);
}

std::int32_t ParseLevel(const std::string& text) { return LevelNumber(text).value_or(0); }
