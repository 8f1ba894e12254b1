#include "cli/entry_lint.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "platform/case_fold.h"
#include "scan/BaseVer.h"
#include "scan/key_pattern.h"
#include "platform/root_keys.h"
#include "scan/rule_entry.h"

namespace {

class Findings {
 public:
  void Error(std::string message) { list.push_back({LintSeverity::kError, std::move(message)}); }
  void Warning(std::string message) { list.push_back({LintSeverity::kWarning, std::move(message)}); }
  std::vector<EntryFinding> list;
};

std::string Quoted(const std::string& text) { return '"' + text + '"'; }

std::string RootName(const EntryName& entry) { return entry.root_prefix.substr(0, entry.root_prefix.size() - 1); }

std::string FullKey(const EntryName& entry, const std::string& key) {
  return key.empty() ? RootName(entry) : entry.root_prefix + key;
}

// The keys a pattern matches: how many names below the root each has (the
// same for all of them), and its wildcard levels, the names of the levels
// above each shown as "*".
struct PatternShape {
  std::size_t depth = 0;
  std::vector<WildcardLevel> levels;
};

PatternShape ShapeOf(const std::string& pattern) {
  PatternShape shape;
  PatternToWalk walk{pattern, 0};
  while (const std::optional<WildcardLevel> level = FindWildcardLevel(walk)) {
    shape.levels.push_back(*level);
    walk = level->Expand("*");
  }
  const std::string& key = walk.pattern;
  shape.depth = key.empty() ? 0 : static_cast<std::size_t>(std::count(key.begin(), key.end(), '\\')) + 1;
  return shape;
}

void LintCheck(const RuleValue& rule, Findings& findings) {
  const TINISectionVarClass::CheckDefinition* check = TINISectionVarClass::FindCheckDefinition(rule.check_name);
  if (!check) {
    const std::size_t first = rule.check_name.find_first_not_of(" \t");
    const std::size_t last = rule.check_name.find_last_not_of(" \t");
    const std::string bare = first == std::string::npos ? "" : rule.check_name.substr(first, last - first + 1);
    if (bare != rule.check_name && TINISectionVarClass::FindCheck(bare))
      findings.Error("the check name " + Quoted(rule.check_name) + " has blanks around " + bare +
                     ": the scanner finds no check by that name and skips the entry");
    else
      findings.Error("unknown check name " + Quoted(rule.check_name) + ": the scanner skips the entry");
    return;
  }
  if (check->needs_parameter && rule.parameter.value_or("").empty())
    findings.Error(std::string(check->name) + " needs a parameter, the name of the value to look at (" +
                   "Description,Level," + check->name + ",ValueName)");
}

// Digits of the given kind, at least one.
bool AllDigits(std::string_view text, std::string_view digits) {
  return !text.empty() && text.find_first_not_of(digits) == std::string_view::npos;
}

// Why LevelNumber found no number in the text.
std::string WhyNoNumber(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  const std::size_t last = text.find_last_not_of(" \t");
  if (first == std::string::npos || last == std::string::npos) return "it is empty";
  if (last + 1 < text.size() && LevelNumber(text.substr(0, last + 1))) return "it has blanks after the number";
  std::string_view number = std::string_view(text).substr(first);
  constexpr std::string_view kHex = "0123456789abcdefABCDEF";
  for (std::string_view prefix : {"$", "x", "X", "0x", "0X"})
    if (number.starts_with(prefix) && AllDigits(number.substr(prefix.size()), kHex))
      return "it is out of the 32-bit range";
  if (!number.empty() && (number[0] == '+' || number[0] == '-')) number.remove_prefix(1);
  if (AllDigits(number, "0123456789")) return "it is out of the 32-bit range";
  return "it is not a number";
}

void LintLevel(const EntryName& entry, const PatternShape& shape, const RuleValue& rule, Findings& findings) {
  const std::optional<std::int32_t> number = LevelNumber(rule.level_text);
  if (!number) {
    findings.Warning("the level " + Quoted(rule.level_text) + " reads as 0 (" + WhyNoNumber(rule.level_text) +
                     "): problems keep the key and lose only their bad values");
    return;
  }
  if (*number < 1 || static_cast<std::size_t>(*number) <= shape.depth) return;
  const std::string where = static_cast<std::size_t>(*number) == shape.depth + 1
                                ? "the root key " + RootName(entry) + " itself"
                                : "beyond the root key " + RootName(entry);
  findings.Warning("level " + std::to_string(*number) + " counts up from keys " + std::to_string(shape.depth) +
                   " below the root to " + where + ": no such problem can be deleted");
}

std::string_view LastName(std::string_view key) { return key.substr(key.rfind('\\') + 1); }

// A key whose subkeys are the class tables CLSID, Interface and TypeLib
// (of either registry view).
bool HoldsClassTables(RootKey root, std::string_view key) {
  if (EqualsNoCase(LastName(key), "Wow6432Node")) key.remove_suffix(std::min(key.size(), LastName(key).size() + 1));
  if (key.empty()) return root == kHkeyClassesRoot;
  const std::string last = FoldCase(LastName(key));
  return last == "classes" || last.ends_with("_classes");
}

void LintClassTables(const EntryName& entry, const PatternShape& shape, Findings& findings) {
  const RootKey root = RootKeyFromName(RootName(entry));
  const bool excluding = ExcludesTableKeys(entry.pattern);
  for (std::size_t i = 0; i < shape.levels.size(); ++i) {
    const WildcardLevel& level = shape.levels[i];
    if (!HoldsClassTables(root, level.key) || (i == 0 && excluding)) continue;
    const std::string why = i > 0 ? "a wildcard leaves them out only at the first wildcard level of a pattern"
                                   : "a wildcard leaves them out only where the pattern goes on below it";
    findings.Warning("the wildcard below " + FullKey(entry, level.key) +
                     " takes the class tables CLSID, Interface and TypeLib as well: " + why);
  }
}

}  // namespace

std::vector<EntryFinding> LintEntry(const std::string& name, const std::string& value) {
  Findings findings;
  const std::optional<EntryName> entry = SplitEntryName(name);
  if (!entry) {
    findings.Error("the name has no backslash, so it names no key: the scanner skips the entry");
    return findings.list;
  }
  const bool known_root = RootKeyOfPath(name) != 0;
  if (!known_root)
    findings.Error("unknown root name " + Quoted(RootName(*entry)) +
                   ": the scanner opens no key for the entry (a root name is spelled as HKEY_CURRENT_USER is)");
  const RuleValue rule = SplitRuleValue(value);
  if (!rule.has_check_field) {
    findings.Error("the value has fewer than two commas (Description,Level,CHECK[,Parameter]): the scanner skips "
                   "the entry");
    return findings.list;
  }
  LintCheck(rule, findings);
  const PatternShape shape = ShapeOf(entry->pattern);
  LintLevel(*entry, shape, rule, findings);
  if (known_root) LintClassTables(*entry, shape, findings);
  return findings.list;
}
