#include "cli/exclusion_lint.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "platform/case_fold.h"
#include "platform/ini_file.h"
#include "platform/ini_lines.h"
#include "scan/exclusions.h"
#include "scan/keep_list.h"
#include "scan/key_pattern.h"
#include "platform/root_keys.h"
#include "scan/rule_entry.h"

namespace {

// Whether a component of an exclusion and one of a rule can name the same
// key: either is a wildcard ("**" walks the key named "*" as one), or the
// names are equal but for case.
bool Compatible(const std::string& excluded, const std::string& rule) {
  return excluded == "*" || rule == "*" || rule == "**" || EqualsNoCase(excluded, rule);
}

bool PrefixCompatible(const std::vector<std::string>& excluded, const std::vector<std::string>& rule,
                      std::size_t count) {
  for (std::size_t i = 0; i < count; ++i)
    if (!Compatible(excluded[i], rule[i])) return false;
  return true;
}

// Whether the rule reports the excluded key, or deletes it with a parent:
// a value rule (level 0 or less) reports keys of its pattern's depth; a key
// rule deletes the key level - 1 above them, with everything below.
bool RuleReaches(const std::vector<std::string>& excluded, const std::string& name, const std::string& value) {
  if (!SplitEntryName(name)) return false;
  const std::vector<std::string> rule = KeyPathComponents(name);
  const std::int32_t level = ParseLevel(SplitRuleValue(value).level_text);
  if (level <= 0) return excluded.size() == rule.size() && PrefixCompatible(excluded, rule, rule.size());
  if (static_cast<std::size_t>(level) >= rule.size()) return false;  // reaches a root key: never deleted
  const std::size_t deleted = rule.size() - static_cast<std::size_t>(level - 1);
  return excluded.size() >= deleted && PrefixCompatible(excluded, rule, deleted);
}

std::optional<std::string> EntryError(const std::string& name) {
  const std::optional<EntryName> split = SplitEntryName(name);
  const std::string root = split ? split->root_prefix.substr(0, split->root_prefix.size() - 1) : name;
  if (RootKeyFromName(root) == 0)
    return "unknown root name \"" + root + "\": the exclusion keeps nothing";
  const std::vector<std::string> components = KeyPathComponents(name);
  if (components.size() < 2 || std::any_of(components.begin() + 1, components.end(),
                                            [](const std::string& c) { return c.empty(); }))
    return "an empty key pattern (or an empty name in it): the exclusion keeps nothing";
  return std::nullopt;
}

}  // namespace

std::vector<LintFinding> LintExclusions(const std::string& text, const RuleEntries& rules) {
  std::vector<LintFinding> findings;
  const IniSectionLines lines = FindSectionLines(text, kExcludeSection);
  if (lines.header == 0) return findings;
  for (std::size_t later : lines.later_headers)
    findings.push_back({later, LintSeverity::kError,
                        std::string("the section [") + kExcludeSection + "] again: only the first, at line " +
                            std::to_string(lines.header) + ", is read"});
  std::vector<const IniLine*> listed;
  for (const IniLine& line : lines.lines)
    if (line.has_value && !line.name.starts_with(';')) listed.push_back(&line);
  const auto entries = IniFile(text).ReadSectionEntries(kExcludeSection);
  std::unordered_map<std::string, std::size_t> first_line;  // folded name and value
  for (std::size_t i = 0; i < entries.size() && i < listed.size(); ++i) {
    const auto& [name, value] = entries[i];
    const std::size_t line = listed[i]->number;
    if (const std::optional<std::string> error = EntryError(name)) {
      findings.push_back({line, LintSeverity::kError, *error});
      continue;
    }
    const auto [first, added] = first_line.try_emplace(FoldCase(name) + '\n' + FoldCase(value), line);
    if (!added) {
      findings.push_back({line, LintSeverity::kWarning,
                          "the exclusion of line " + std::to_string(first->second) + " again"});
      continue;
    }
    const std::vector<std::string> excluded = KeyPathComponents(name);
    const bool reached = std::any_of(rules.begin(), rules.end(), [&](const auto& rule) {
      return RuleReaches(excluded, rule.first, rule.second);
    });
    if (!reached)
      findings.push_back({line, LintSeverity::kWarning,
                          "no rule of [PATHS1] reports this key or deletes it with a parent: the exclusion keeps "
                          "nothing"});
  }
  return findings;
}
