#include "scan/BaseVer.h"

#include "platform/case_fold.h"
#include "platform/ini_file.h"
#include "platform/registry_errors.h"
#include "platform/registry_views.h"
#include "platform/root_keys.h"
#include "scan/key_pattern.h"
#include "scan/rule_entry.h"

RuleEntries ReadRuleEntries(const IniFile& ini, const std::string& section) {
  RuleEntries entries;
  for (std::string& name : ini.ReadSectionKeys(section)) {
    std::string value = ini.ReadString(section, name, "");
    entries.emplace_back(std::move(name), std::move(value));
  }
  return entries;
}

bool RuleEntryRuns(const std::string& name, const std::string& value) {
  const RuleValue rule = SplitRuleValue(value);
  return SplitEntryName(name) && RootKeyOfPath(name) != 0 && rule.has_check_field &&
         TINISectionVarClass::FindCheck(rule.check_name);
}

TINISectionVarClass::TINISectionVarClass(CheckContext& owner, const std::string& section, const IniFile& ini)
    : TBaseVerClass(owner), FEntries(ReadRuleEntries(ini, section)) {}

TINISectionVarClass::TINISectionVarClass(CheckContext& owner, RuleEntries entries)
    : TBaseVerClass(owner), FEntries(std::move(entries)) {}

namespace {

using Check = TINISectionVarClass::CheckDefinition;
using Section = TINISectionVarClass;

// FILE_ and CLSID_ look at the value their parameter names.
constexpr Check kChecks[] = {
    {"PROGIDDEF_", &Section::PROGIDDEF_, false}, {"DIRDEF_", &Section::DIRDEF_, false},
    {"FILE_", &Section::FILE_, true},            {"FILEDEF_", &Section::FILEDEF_, false},
    {"LN_", &Section::LN_, false},               {"LD_", &Section::LD_, false},
    {"ND_", &Section::ND_, false},               {"DN_", &Section::DN_, false},
    {"CLSID_K_", &Section::CLSID_K_, false},     {"CLSID_D_", &Section::CLSID_D_, false},
    {"CLSID_", &Section::CLSID_, true},          {"CLSID_LN_", &Section::CLSID_LN_, false},
    {"CLSID_LD_", &Section::CLSID_LD_, false},   {"INTRFC_K_", &Section::INTRFC_K_, false},
    {"TLB_D_", &Section::TLB_D_, false},
};

}  // namespace

const TINISectionVarClass::CheckDefinition* TINISectionVarClass::FindCheckDefinition(const std::string& name) {
  for (const CheckDefinition& check : kChecks)
    if (EqualsNoCase(name, check.name)) return &check;
  return nullptr;
}

TINISectionVarClass::CheckRoutine TINISectionVarClass::FindCheck(const std::string& name) {
  const CheckDefinition* check = FindCheckDefinition(name);
  return check ? check->routine : nullptr;
}

void TINISectionVarClass::Run() {
  RegistryAccessor reg(FOwner.ScannedRegistry());
  const bool two_views = FOwner.ScannedRegistry().HasTwoViews();
  for (std::size_t index = 0; index < FEntries.size(); ++index) {
    const auto& [name, value] = FEntries[index];
    if (FOwner.StopRequested()) break;
    FOwner.BeginRule(static_cast<std::int32_t>(index));
    reg.SetRootKey(RootKeyOfPath(name));
    const std::optional<EntryName> entry = SplitEntryName(name);
    if (!entry) {
      FOwner.ReportProgress("");
      continue;
    }
    const RuleValue rule = SplitRuleValue(value);
    FOwner.ReportProgress(rule.description);
    if (!rule.has_check_field) continue;  // no level and check: nothing to run
    const CheckRoutine routine = FindCheck(rule.check_name);
    if (!routine) continue;
    const std::int32_t level = ParseLevel(rule.level_text);
    VisitKeyPattern(entry->root_prefix, reg, entry->pattern, rule.parameter, routine,
                    ExcludesTableKeys(entry->pattern), level);
    // A key the system keeps apart per view has a second copy, the 32-bit
    // programs' one, under the path that names that view.
    if (!two_views || FOwner.StopRequested()) continue;
    if (const std::optional<std::string> other = ThirtyTwoBitViewPath(reg.GetRootKey(), entry->pattern))
      VisitKeyPattern(entry->root_prefix, reg, *other, rule.parameter, routine, ExcludesTableKeys(*other), level);
  }
}

bool TINISectionVarClass::CheckOneKey(std::int32_t rule, const std::string& full_path) {
  if (rule < 0 || static_cast<std::size_t>(rule) >= FEntries.size()) return false;
  const auto& [name, value] = FEntries[static_cast<std::size_t>(rule)];
  const std::optional<EntryName> entry = SplitEntryName(name);
  const RuleValue parsed = SplitRuleValue(value);
  const RootKey root = RootKeyOfPath(name);
  const CheckRoutine routine = parsed.has_check_field ? FindCheck(parsed.check_name) : nullptr;
  if (!entry || !routine || root == 0 || !full_path.starts_with(entry->root_prefix)) return false;
  RegistryAccessor reg(FOwner.ScannedRegistry());
  reg.SetRootKey(root);
  FOwner.BeginRule(rule);
  FOwner.BeginKey(false);
  CheckKey(entry->root_prefix, reg, full_path.substr(entry->root_prefix.size()), parsed.parameter, routine,
           ParseLevel(parsed.level_text));
  return true;
}

void TINISectionVarClass::VisitKeyPattern(const std::string& root_prefix, RegistryAccessor& reg,
                                          const std::string& pattern, const Parameter& parameter,
                                          CheckRoutine routine, bool exclude_class_keys, std::int32_t level) {
  VisitFrom(root_prefix, reg, PatternToWalk{pattern, 0}, parameter, routine, exclude_class_keys, level);
}

void TINISectionVarClass::VisitFrom(const std::string& root_prefix, RegistryAccessor& reg, const PatternToWalk& walk,
                                    const Parameter& parameter, CheckRoutine routine, bool exclude_class_keys,
                                    std::int32_t level) {
  const std::optional<WildcardLevel> wildcard = FindWildcardLevel(walk);
  if (!wildcard) {
    // Expanded to its end: its last name is one a wildcard listed.
    FOwner.BeginKey(walk.search_from > walk.pattern.size());
    CheckKey(root_prefix, reg, walk.pattern, parameter, routine, level);
    return;
  }
  if (!reg.OpenKeyReadOnly(wildcard->key)) return;
  std::vector<std::string> names = reg.GetKeyNames();
  for (const std::string& name : reg.GetUnreadableKeyNames())
    FOwner.NoteUnreadable(root_prefix + (wildcard->key.empty() ? name : wildcard->key + '\\' + name));
  reg.CloseKey();
  DropNamesNotWalked(names, exclude_class_keys);
  for (const std::string& name : names) {
    if (FOwner.StopRequested()) break;
    VisitFrom(root_prefix, reg, wildcard->Expand(name), parameter, routine, false, level);
  }
}

void TINISectionVarClass::CheckKey(const std::string& root_prefix, RegistryAccessor& reg,
                                   const std::string& key_path, const Parameter& parameter,
                                   CheckRoutine routine, std::int32_t level) {
  if (!reg.OpenKeyReadOnly(key_path)) return;
  try {
    (this->*routine)(root_prefix, reg, key_path, parameter, level);
  } catch (const RegistryError&) {
    // A value the check could not read as it expected: it counts as
    // unreadable, the key is passed over and the scan goes on.
  }
  reg.CloseKey();
}
