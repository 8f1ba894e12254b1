#include "scan/user_environment.h"

#include "platform/case_fold.h"
#include "platform/files.h"
#include "platform/registry_accessor.h"
#include "scan/command_line.h"
#include "platform/root_keys.h"

std::optional<std::string> UserEnvironment::Value(const std::string& name) {
  const std::string folded = FoldCase(name);
  const auto known = values_.find(folded);
  if (known != values_.end()) return known->second;
  return values_[folded] = Lookup(name);
}

std::optional<std::string> UserEnvironment::ProcessValue(const std::string& name) {
  // A 32-bit program on 64-bit Windows gets the 32-bit program folders
  // under these names; everyone else (Explorer, the COM loader of a 64-bit
  // process) reads the 64-bit ones, which the system also sets as
  // ...W6432 for it.
  const std::string folded = FoldCase(name);
  const char* native = folded == "programfiles"         ? "ProgramW6432"
                       : folded == "commonprogramfiles" ? "CommonProgramW6432"
                                                        : nullptr;
  if (native)
    if (std::optional<std::string> value = files_.EnvironmentVariable(native)) return value;
  return files_.EnvironmentVariable(name);
}

std::optional<std::string> UserEnvironment::Lookup(const std::string& name) {
  RegistryAccessor reg(registry_, kHkeyCurrentUser);
  std::optional<RegValue> value;
  if (reg.OpenKeyReadOnly("Environment")) value = reg.ReadValue(name);
  if (!value || (value->type != kRegSz && value->type != kRegExpandSz)) return ProcessValue(name);
  const std::string text = RegValueText(*value, name);
  if (value->type == kRegSz) return text;
  // The user's variables are themselves expanded with the process's.
  const CommandLookups lookups{nullptr, [this](const std::string& each) { return ProcessValue(each); }};
  return ExpandVariables(text, lookups);
}
