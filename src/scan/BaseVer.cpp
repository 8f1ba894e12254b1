#include "scan/BaseVer.h"

#include <algorithm>

#include "platform/case_fold.h"
#include "platform/ini_file.h"
#include "platform/registry_errors.h"
#include "scan/rule_entry.h"
#include "scan/verefy.h"

void TBaseVerClass::ReportProgress(const std::string& text) {
  FOwner.UpdateView([&](ScanView& view) {
    view.StepProgress();
    view.SetStatusText(text);
  });
}

TINISectionVarClass::TINISectionVarClass(Tverefy& owner, const std::string& section, const IniFile& ini)
    : TBaseVerClass(owner) {
  for (std::string& name : ini.ReadSectionKeys(section)) {
    std::string value = ini.ReadString(section, name, "");
    FEntries.emplace_back(std::move(name), std::move(value));
  }
}

namespace {

struct CheckName {
  const char* name;
  TINISectionVarClass::CheckRoutine routine;
};

constexpr CheckName kChecks[] = {
    {"PROGIDDEF_", &TINISectionVarClass::PROGIDDEF_}, {"DIRDEF_", &TINISectionVarClass::DIRDEF_},
    {"FILE_", &TINISectionVarClass::FILE_},           {"FILEDEF_", &TINISectionVarClass::FILEDEF_},
    {"LN_", &TINISectionVarClass::LN_},               {"LD_", &TINISectionVarClass::LD_},
    {"ND_", &TINISectionVarClass::ND_},               {"DN_", &TINISectionVarClass::DN_},
    {"CLSID_K_", &TINISectionVarClass::CLSID_K_},     {"CLSID_D_", &TINISectionVarClass::CLSID_D_},
    {"CLSID_", &TINISectionVarClass::CLSID_},         {"CLSID_LN_", &TINISectionVarClass::CLSID_LN_},
    {"CLSID_LD_", &TINISectionVarClass::CLSID_LD_},   {"INTRFC_K_", &TINISectionVarClass::INTRFC_K_},
    {"TLB_D_", &TINISectionVarClass::TLB_D_},
};

// The names a wildcard level never enters when the pattern goes on below
// it: the big class tables, which have entries of their own, and the other
// tables of HKEY_CLASSES_ROOT, which hold registrations, not programmatic
// identifiers or file types: a level counted up from inside one of them
// would name the whole table.
constexpr const char* kTableKeys[] = {"CLSID",   "Interface",           "TypeLib",         "AppID",
                                      "Applications", "SystemFileAssociations", "Component Categories",
                                      "MIME",    "Installer",           "PROTOCOLS",       "Media Type",
                                      "DirectShow", "Local Settings",   "Licenses"};
// A registry view: the other half of the registry, under the same names.
// No wildcard level ever enters it; a rule may name it literally.
constexpr const char* kViewKeys[] = {"Wow6432Node"};

template <std::size_t N>
void EraseNamed(std::vector<std::string>& names, const char* const (&table)[N]) {
  std::erase_if(names, [&](const std::string& name) {
    return std::any_of(std::begin(table), std::end(table), [&](const char* key) { return EqualsNoCase(name, key); });
  });
}

}  // namespace

TINISectionVarClass::CheckRoutine TINISectionVarClass::FindCheck(const std::string& name) {
  for (const CheckName& check : kChecks)
    if (EqualsNoCase(name, check.name)) return check.routine;
  return nullptr;
}

void TINISectionVarClass::Run() {
  RegistryAccessor reg(FOwner.GetRegistry());
  for (const auto& [name, value] : FEntries) {
    if (FOwner.Terminated()) break;
    Tverefy::SelectRootKey(reg, name);
    const std::string::size_type slash = name.find('\\');
    if (slash == std::string::npos) {
      ReportProgress("");
      continue;
    }
    const std::string root_prefix = name.substr(0, slash + 1);
    const std::string pattern = name.substr(slash + 1);
    const bool exclude_class_keys = pattern.find("*\\") != std::string::npos;
    const RuleValue rule = SplitRuleValue(value);
    ReportProgress(rule.description);
    if (!rule.has_check_field) continue;  // no level and check: nothing to run
    const CheckRoutine routine = FindCheck(rule.check_name);
    if (!routine) continue;
    VisitKeyPattern(root_prefix, reg, pattern, rule.parameter, routine, exclude_class_keys,
                    ParseLevel(rule.level_text));
  }
}

void TINISectionVarClass::VisitKeyPattern(const std::string& root_prefix, RegistryAccessor& reg,
                                          const std::string& pattern, const Parameter& parameter,
                                          CheckRoutine routine, bool exclude_class_keys, std::int32_t level) {
  VisitFrom(root_prefix, reg, pattern, 0, parameter, routine, exclude_class_keys, level);
}

namespace {

// The next wildcard component at or after from: a component that is "*"
// (every subkey) or "**" (every subkey of the key literally named "*").
// Any other "*" is part of a name.
struct Wildcard {
  std::string::size_type key_end;   // the key to enumerate is pattern[0, key_end)
  std::string::size_type rest;      // the pattern below the wildcard level
};

std::optional<Wildcard> FindWildcard(const std::string& pattern, std::string::size_type from) {
  std::string::size_type start = from;
  while (start <= pattern.size()) {
    std::string::size_type end = pattern.find('\\', start);
    if (end == std::string::npos) end = pattern.size();
    const std::string_view component(pattern.data() + start, end - start);
    const std::string::size_type after = std::min(end + 1, pattern.size());
    if (component == "*") return Wildcard{start == 0 ? 0 : start - 1, after};
    if (component == "**") return Wildcard{start + 1, after};
    start = end + 1;
  }
  return std::nullopt;
}

}  // namespace

void TINISectionVarClass::VisitFrom(const std::string& root_prefix, RegistryAccessor& reg,
                                    const std::string& pattern, std::size_t search_from,
                                    const Parameter& parameter, CheckRoutine routine, bool exclude_class_keys,
                                    std::int32_t level) {
  const std::optional<Wildcard> wildcard = FindWildcard(pattern, search_from);
  if (!wildcard) {
    CheckKey(root_prefix, reg, pattern, parameter, routine, level);
    return;
  }
  const std::string key = pattern.substr(0, wildcard->key_end);
  const std::string rest = pattern.substr(wildcard->rest);
  if (!reg.OpenKeyReadOnly(key)) return;
  std::vector<std::string> names = reg.GetKeyNames();
  reg.CloseKey();
  std::erase(names, "*");
  EraseNamed(names, kViewKeys);
  if (exclude_class_keys) EraseNamed(names, kTableKeys);
  for (const std::string& name : names) {
    if (FOwner.Terminated()) break;
    const std::string expanded = key.empty() ? name : key + "\\" + name;
    if (rest.empty()) {
      CheckKey(root_prefix, reg, expanded, parameter, routine, level);
    } else {
      VisitFrom(root_prefix, reg, expanded + "\\" + rest, expanded.size() + 1, parameter, routine, false,
                level);
    }
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
