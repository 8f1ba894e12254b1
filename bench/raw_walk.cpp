#include "bench/raw_walk.h"

#include <unordered_set>

#include "platform/case_fold.h"
#include "platform/ini_file.h"
#include "scan/BaseVer.h"
#include "platform/root_keys.h"
#include "scan/rule_entry.h"
#include "scan/verefy.h"

std::vector<RawRule> ReadRawRules(const std::string& ini_text) {
  const IniFile ini(ini_text);
  std::vector<RawRule> rules;
  for (const std::string& name : ini.ReadSectionKeys(Tverefy::kSectionName)) {
    const std::string::size_type slash = name.find('\\');
    const RuleValue value = SplitRuleValue(ini.ReadString(Tverefy::kSectionName, name, ""));
    if (slash == std::string::npos || !value.has_check_field) continue;
    if (!TINISectionVarClass::FindCheck(value.check_name)) continue;
    std::string check = value.check_name;
    for (char& c : check) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    rules.push_back({RootKeyOfPath(name), name.substr(slash + 1), check, value.parameter});
  }
  return rules;
}

namespace {

// What a check reads of its key, and which of those texts it searches for.
enum class Reads { kNothing, kDefaultValue, kNamedValue, kValueNames, kAllValues };
enum class Lookup { kNone, kSearch, kFolder };

struct CheckReads {
  const char* check;
  Reads reads;
  Lookup lookup;
};

constexpr CheckReads kCheckReads[] = {
    {"PROGIDDEF_", Reads::kDefaultValue, Lookup::kNone}, {"DIRDEF_", Reads::kDefaultValue, Lookup::kFolder},
    {"FILE_", Reads::kNamedValue, Lookup::kSearch},      {"FILEDEF_", Reads::kDefaultValue, Lookup::kSearch},
    {"LN_", Reads::kValueNames, Lookup::kSearch},        {"LD_", Reads::kAllValues, Lookup::kSearch},
    {"ND_", Reads::kAllValues, Lookup::kSearch},         {"DN_", Reads::kAllValues, Lookup::kSearch},
    {"CLSID_K_", Reads::kNothing, Lookup::kNone},        {"CLSID_D_", Reads::kDefaultValue, Lookup::kNone},
    {"CLSID_", Reads::kNamedValue, Lookup::kNone},       {"CLSID_LN_", Reads::kValueNames, Lookup::kNone},
    {"CLSID_LD_", Reads::kAllValues, Lookup::kNone},     {"INTRFC_K_", Reads::kNothing, Lookup::kNone},
    {"TLB_D_", Reads::kDefaultValue, Lookup::kNone},
};

const CheckReads& ReadsOf(const std::string& check) {
  for (const CheckReads& entry : kCheckReads)
    if (check == entry.check) return entry;
  return kCheckReads[8];  // ReadRawRules keeps known checks only
}

constexpr const char* kClassKeys[] = {"CLSID", "Interface", "TypeLib"};

std::string TextOf(const RegValue& value) {
  std::string text(value.data.begin(), value.data.end());
  return text.substr(0, text.find('\0'));
}

class Walker {
 public:
  Walker(Registry& registry, FileSystem& files, RawWalkCounts& counts)
      : registry_(registry), files_(files), counts_(counts) {}

  void ReferenceTables() {
    for (const char* path : {"Software\\CLASSES\\CLSID", "Software\\CLASSES\\TypeLib", "Software\\CLASSES\\Interface",
                             "Software\\CLASSES\\Wow6432Node\\CLSID", "Software\\CLASSES\\Wow6432Node\\Interface",
                             "Software\\CLASSES"}) {
      if (std::unique_ptr<RegKey> key = registry_.OpenRead(kHkeyLocalMachine, path))
        counts_.reference_names += key->SubkeyNames().size();
    }
  }

  void Rule(const RawRule& rule) {
    rule_ = &rule;
    reads_ = &ReadsOf(rule.check);
    Visit(rule.pattern, 0, rule.pattern.find("*\\") != std::string::npos);
  }

 private:
  // The shipped rules use whole-component "*" wildcards only.
  static std::string::size_type FindStar(const std::string& pattern, std::string::size_type from) {
    for (std::string::size_type start = from; start <= pattern.size();) {
      std::string::size_type end = pattern.find('\\', start);
      if (end == std::string::npos) end = pattern.size();
      if (end - start == 1 && pattern[start] == '*') return start;
      start = end + 1;
    }
    return std::string::npos;
  }

  void Visit(const std::string& pattern, std::string::size_type from, bool exclude_class_keys) {
    const std::string::size_type star = FindStar(pattern, from);
    if (star == std::string::npos) {
      Check(pattern);
      return;
    }
    const std::string key = pattern.substr(0, star == 0 ? 0 : star - 1);
    const std::string rest = pattern.substr(std::min(star + 2, pattern.size()));
    std::vector<std::string> names;
    if (std::unique_ptr<RegKey> opened = registry_.OpenRead(rule_->root, key))
      names = opened->SubkeyNames();
    for (const std::string& name : names) {
      if (name == "*" || (exclude_class_keys && IsClassKey(name))) continue;
      const std::string expanded = key.empty() ? name : key + "\\" + name;
      if (rest.empty())
        Check(expanded);
      else
        Visit(expanded + "\\" + rest, expanded.size() + 1, false);
    }
  }

  static bool IsClassKey(const std::string& name) {
    for (const char* class_key : kClassKeys)
      if (EqualsNoCase(name, class_key)) return true;
    return false;
  }

  void Check(const std::string& path) {
    std::unique_ptr<RegKey> key = registry_.OpenRead(rule_->root, path);
    if (!key) return;
    ++counts_.keys_checked;
    const std::string parameter = rule_->parameter.value_or("");
    switch (reads_->reads) {
      case Reads::kNothing:
        break;
      case Reads::kDefaultValue:
      case Reads::kNamedValue: {
        const std::string name = reads_->reads == Reads::kNamedValue ? parameter : std::string();
        if (std::optional<RegValue> value = key->QueryValue(name)) {
          ++counts_.values_read;
          LookUp(TextOf(*value));
        }
        break;
      }
      case Reads::kValueNames:
        for (const std::string& name : key->ValueNames()) {
          ++counts_.values_read;
          LookUp(name);
        }
        break;
      case Reads::kAllValues:
        for (const std::string& name : key->ValueNames()) {
          std::optional<RegValue> value = key->QueryValue(name);
          ++counts_.values_read;
          if (!value || value->type != kRegSz) continue;
          const std::string text = TextOf(*value);
          if (rule_->check == "ND_") LookUp(name + parameter + text);
          else if (rule_->check == "DN_") LookUp(text + parameter + name);
          else LookUp(text);
        }
        break;
    }
  }

  // The file name a text starts with: inside its quotes when quoted; none
  // for a text that starts with an environment variable.
  void LookUp(const std::string& text) {
    if (reads_->lookup == Lookup::kNone || text.empty() || text[0] == '%') return;
    std::string name = text;
    if (name[0] == '"') name = name.substr(1, name.find('"', 1) - 1);
    if (!looked_up_.insert(name).second) return;
    ++counts_.lookups;
    if (reads_->lookup == Lookup::kFolder)
      files_.DirectoryExists(name);
    else
      files_.SearchPath(name);
  }

  Registry& registry_;
  FileSystem& files_;
  RawWalkCounts& counts_;
  const RawRule* rule_ = nullptr;
  const CheckReads* reads_ = nullptr;
  std::unordered_set<std::string> looked_up_;
};

}  // namespace

RawWalkCounts RawWalk(Registry& registry, FileSystem& files, const std::vector<RawRule>& rules) {
  RawWalkCounts counts;
  Walker walker(registry, files, counts);
  walker.ReferenceTables();
  for (const RawRule& rule : rules) walker.Rule(rule);
  return counts;
}
