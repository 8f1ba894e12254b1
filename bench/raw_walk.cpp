#include "bench/raw_walk.h"

#include <iterator>

#include "platform/ini_file.h"
#include "platform/root_keys.h"
#include "platform/registry_accessor.h"
#include "platform/registry_errors.h"
#include "platform/registry_views.h"
#include "scan/BaseVer.h"
#include "scan/check_helpers.h"
#include "scan/command_line.h"
#include "scan/file_lookup.h"
#include "scan/key_pattern.h"
#include "scan/program_folders.h"
#include "scan/reference_tables.h"
#include "scan/rule_entry.h"
#include "scan/user_environment.h"
#include "scan/verefy.h"

std::vector<RawRule> ReadRawRules(const std::string& ini_text) {
  const IniFile ini(ini_text);
  std::vector<RawRule> rules;
  for (const auto& [name, value_text] : ReadRuleEntries(ini, Tverefy::kSectionName)) {
    const std::optional<EntryName> entry = SplitEntryName(name);
    const RuleValue value = SplitRuleValue(value_text);
    if (!entry || !value.has_check_field) continue;
    const TINISectionVarClass::CheckDefinition* check = TINISectionVarClass::FindCheckDefinition(value.check_name);
    if (!check) continue;
    rules.push_back({RootKeyOfPath(name), entry->pattern, check->name, value.parameter});
  }
  return rules;
}

namespace {

// What a check reads of its key, and what it looks up on disk.
enum class Reads { kNothing, kDefaultValue, kNamedValue, kValueNames, kPlainTexts };
enum class Lookup { kNone, kCommand, kFolder, kNameThenText, kTextThenName };

struct CheckReads {
  const char* check;
  Reads reads;
  Lookup lookup;
};

constexpr CheckReads kCheckReads[] = {
    {"PROGIDDEF_", Reads::kDefaultValue, Lookup::kNone},  {"DIRDEF_", Reads::kDefaultValue, Lookup::kFolder},
    {"FILE_", Reads::kNamedValue, Lookup::kCommand},      {"FILEDEF_", Reads::kDefaultValue, Lookup::kCommand},
    {"LN_", Reads::kValueNames, Lookup::kCommand},        {"LD_", Reads::kPlainTexts, Lookup::kCommand},
    {"ND_", Reads::kPlainTexts, Lookup::kNameThenText},   {"DN_", Reads::kPlainTexts, Lookup::kTextThenName},
    {"CLSID_K_", Reads::kNothing, Lookup::kNone},         {"CLSID_D_", Reads::kDefaultValue, Lookup::kNone},
    {"CLSID_", Reads::kNamedValue, Lookup::kNone},        {"CLSID_LN_", Reads::kValueNames, Lookup::kNone},
    {"CLSID_LD_", Reads::kPlainTexts, Lookup::kNone},     {"INTRFC_K_", Reads::kNothing, Lookup::kNone},
    {"TLB_D_", Reads::kDefaultValue, Lookup::kNone},
};

const CheckReads& ReadsOf(const std::string& check) {
  for (const CheckReads& entry : kCheckReads)
    if (check == entry.check) return entry;
  return kCheckReads[8];  // ReadRawRules keeps known checks only
}

class Walker {
 public:
  Walker(Registry& registry, FileSystem& files, RawWalkCounts& counts)
      : registry_(registry), lookup_(files), environment_(registry, files), reg_(registry), counts_(counts) {}

  // Kept to the end, as a scan keeps them: no scan can do with less.
  void ReferenceTables() {
    for (const ReferenceTableKey& table : ReferenceTableKeys()) {
      reg_.SetRootKey(table.root);
      if (!reg_.OpenKeyReadOnly(table.path)) continue;
      std::vector<std::string> names = reg_.GetKeyNames();
      reference_names_.insert(reference_names_.end(), std::make_move_iterator(names.begin()),
                              std::make_move_iterator(names.end()));
    }
    reg_.CloseKey();
    counts_.reference_names = reference_names_.size();
  }

  void Rule(const RawRule& rule) {
    rule_ = &rule;
    reads_ = &ReadsOf(rule.check);
    reg_.SetRootKey(rule.root);
    Visit(PatternToWalk{rule.pattern, 0}, ExcludesTableKeys(rule.pattern));
    if (!registry_.HasTwoViews()) return;
    if (const std::optional<std::string> other = ThirtyTwoBitViewPath(rule.root, rule.pattern))
      Visit(PatternToWalk{*other, 0}, ExcludesTableKeys(*other));
  }

 private:
  void Visit(const PatternToWalk& walk, bool exclude_table_keys) {
    const std::optional<WildcardLevel> wildcard = FindWildcardLevel(walk);
    if (!wildcard) {
      Check(walk.pattern);
      return;
    }
    if (!reg_.OpenKeyReadOnly(wildcard->key)) return;
    std::vector<std::string> names = reg_.GetKeyNames();
    reg_.CloseKey();
    DropNamesNotWalked(names, exclude_table_keys);
    for (const std::string& name : names) Visit(wildcard->Expand(name), false);
  }

  void Check(const std::string& path) {
    if (!reg_.OpenKeyReadOnly(path)) return;
    path_ = &path;
    ++counts_.keys_checked;
    try {
      Read();
    } catch (const RegistryError&) {
      // As the scan: a value not readable as text passes the key over.
    }
    reg_.CloseKey();
  }

  void Read() {
    const std::string parameter = rule_->parameter.value_or("");
    switch (reads_->reads) {
      case Reads::kNothing:
        return;
      case Reads::kDefaultValue:
      case Reads::kNamedValue: {
        const std::optional<std::string> text = ReadValueText(reg_, reads_->reads == Reads::kNamedValue ? parameter : "");
        if (!text) return;
        ++counts_.values_read;
        if (reads_->lookup == Lookup::kFolder) {
          if (!text->empty()) lookup_.Folder(*text);
        } else {
          LookUp(*text);
        }
        return;
      }
      case Reads::kValueNames:
        for (const std::string& name : reg_.GetValueNames()) {
          ++counts_.values_read;
          if (!name.empty()) LookUp(name);
        }
        return;
      case Reads::kPlainTexts:
        for (const std::string& name : reg_.GetValueNames()) {
          const std::optional<std::string> text = PlainText(reg_, name);
          ++counts_.values_read;
          if (!text) continue;
          if (reads_->lookup == Lookup::kNameThenText) LookUp(name + parameter + *text);
          else if (reads_->lookup == Lookup::kTextThenName) LookUp(*text + parameter + name);
          else if (!text->empty()) LookUp(*text);
        }
        return;
    }
  }

  // The scan's own look-ups of a command line's program: the same names,
  // through the same memo.
  void LookUp(const std::string& command_line) {
    if (reads_->lookup == Lookup::kNone) return;
    PresenceAsRead(
        command_line, [this] { return ViewOfKey(registry_, rule_->root, *path_); },
        [&](ProgramWidth width) {
          return CommandTargetPresence(
              command_line, {[this](const std::string& name) { return lookup_.Search(name); },
                             [this, width](const std::string& name) { return environment_.Value(name, width); }});
        });
  }

  Registry& registry_;
  FileLookup lookup_;
  UserEnvironment environment_;
  RegistryAccessor reg_;
  RawWalkCounts& counts_;
  const RawRule* rule_ = nullptr;
  const CheckReads* reads_ = nullptr;
  const std::string* path_ = nullptr;  // of the key checked
  std::vector<std::string> reference_names_;
};

}  // namespace

RawWalkCounts RawWalk(Registry& registry, FileSystem& files, const std::vector<RawRule>& rules) {
  RawWalkCounts counts;
  Walker walker(registry, files, counts);
  walker.ReferenceTables();
  for (const RawRule& rule : rules) walker.Rule(rule);
  return counts;
}
