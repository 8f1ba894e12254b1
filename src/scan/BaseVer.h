#pragma once
// Rule sections: the knowledge-base entries of one INI section, the walk
// that expands their key patterns, and the dispatch to the check routines.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry_accessor.h"
#include "scan/check_context.h"

class IniFile;
struct PatternToWalk;

// The entries of a knowledge-base section as a rule section reads them:
// the names in file order, each with its value (empty when it has none).
using RuleEntries = std::vector<std::pair<std::string, std::string>>;
RuleEntries ReadRuleEntries(const IniFile& ini, const std::string& section);
// Whether the scanner runs a check for the entry: its name starts with a
// root key's name, and its value names a known check after a level.
bool RuleEntryRuns(const std::string& name, const std::string& value);

class TBaseVerClass {
 public:
  explicit TBaseVerClass(CheckContext& owner) : FOwner(owner) {}
  virtual ~TBaseVerClass() = default;

  virtual void Run() {}
  virtual int EntryCount() const { return 0; }

  // Whether the program or file at the start of a command line read from
  // the key (reg open at key_path) exists, or cannot be told missing. Its
  // variables mean what they mean to the programs that read the key.
  bool CommandTargetExists(const std::string& command_line, const RegistryAccessor& reg,
                           const std::string& key_path);

 protected:
  CheckContext& FOwner;
};

class TINISectionVarClass : public TBaseVerClass {
 public:
  using Parameter = std::optional<std::string>;
  using CheckRoutine = void (TINISectionVarClass::*)(const std::string& root_prefix, RegistryAccessor& reg,
                                                      const std::string& key_path, const Parameter& parameter,
                                                      std::int32_t level);

  TINISectionVarClass(CheckContext& owner, const std::string& section, const IniFile& ini);
  TINISectionVarClass(CheckContext& owner, RuleEntries entries);

  void Run() override;
  int EntryCount() const override { return static_cast<int>(FEntries.size()); }

  // Runs the check of the entry numbered rule on the one key a problem
  // names (its full path as the entry's pattern reached it), as the scan
  // ran it there. False when the entry runs no check or the path is not
  // one of its keys.
  bool CheckOneKey(std::int32_t rule, const std::string& full_path);

  // Calls the routine for every existing key that matches the pattern.
  virtual void VisitKeyPattern(const std::string& root_prefix, RegistryAccessor& reg, const std::string& pattern,
                               const Parameter& parameter, CheckRoutine routine, bool exclude_class_keys,
                               std::int32_t level);

  struct CheckDefinition {
    const char* name;
    CheckRoutine routine;
    bool needs_parameter;  // it looks at the value that the parameter names
  };
  // The check registered under the name (ASCII case ignored, equal length),
  // or none.
  static const CheckDefinition* FindCheckDefinition(const std::string& name);
  static CheckRoutine FindCheck(const std::string& name);

  // The check routines, found by name at run time.
  void PROGIDDEF_(const std::string& root_prefix, RegistryAccessor& reg, const std::string& key_path,
                  const Parameter& parameter, std::int32_t level);
  void DIRDEF_(const std::string& root_prefix, RegistryAccessor& reg, const std::string& key_path,
               const Parameter& parameter, std::int32_t level);
  void FILE_(const std::string& root_prefix, RegistryAccessor& reg, const std::string& key_path,
             const Parameter& parameter, std::int32_t level);
  void FILEDEF_(const std::string& root_prefix, RegistryAccessor& reg, const std::string& key_path,
                const Parameter& parameter, std::int32_t level);
  void LN_(const std::string& root_prefix, RegistryAccessor& reg, const std::string& key_path,
           const Parameter& parameter, std::int32_t level);
  void LD_(const std::string& root_prefix, RegistryAccessor& reg, const std::string& key_path,
           const Parameter& parameter, std::int32_t level);
  void ND_(const std::string& root_prefix, RegistryAccessor& reg, const std::string& key_path,
           const Parameter& parameter, std::int32_t level);
  void DN_(const std::string& root_prefix, RegistryAccessor& reg, const std::string& key_path,
           const Parameter& parameter, std::int32_t level);
  void CLSID_K_(const std::string& root_prefix, RegistryAccessor& reg, const std::string& key_path,
                const Parameter& parameter, std::int32_t level);
  void CLSID_D_(const std::string& root_prefix, RegistryAccessor& reg, const std::string& key_path,
                const Parameter& parameter, std::int32_t level);
  void CLSID_(const std::string& root_prefix, RegistryAccessor& reg, const std::string& key_path,
              const Parameter& parameter, std::int32_t level);
  void CLSID_LN_(const std::string& root_prefix, RegistryAccessor& reg, const std::string& key_path,
                 const Parameter& parameter, std::int32_t level);
  void CLSID_LD_(const std::string& root_prefix, RegistryAccessor& reg, const std::string& key_path,
                 const Parameter& parameter, std::int32_t level);
  void INTRFC_K_(const std::string& root_prefix, RegistryAccessor& reg, const std::string& key_path,
                 const Parameter& parameter, std::int32_t level);
  void TLB_D_(const std::string& root_prefix, RegistryAccessor& reg, const std::string& key_path,
              const Parameter& parameter, std::int32_t level);

 private:
  void VisitFrom(const std::string& root_prefix, RegistryAccessor& reg, const PatternToWalk& walk,
                 const Parameter& parameter, CheckRoutine routine, bool exclude_class_keys, std::int32_t level);
  void CheckKey(const std::string& root_prefix, RegistryAccessor& reg, const std::string& key_path,
                const Parameter& parameter, CheckRoutine routine, std::int32_t level);

  // Entry names in file order, each with its own copy of its value.
  RuleEntries FEntries;
};
