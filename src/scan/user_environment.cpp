#include "scan/user_environment.h"

#include "platform/case_fold.h"
#include "platform/files.h"
#include "platform/registry_accessor.h"
#include "scan/command_line.h"
#include "platform/root_keys.h"

std::optional<std::string> UserEnvironment::Value(const std::string& name, ProgramWidth width) {
  auto& values = values_[static_cast<int>(width)];
  const std::string folded = FoldCase(name);
  const auto known = values.find(folded);
  if (known != values.end()) return known->second;
  return values[folded] = Lookup(name, width);
}

std::optional<std::string> UserEnvironment::ProcessValue(const std::string& name, ProgramWidth width) {
  // The system sets both meanings for a program of either width on 64-bit
  // Windows: the native folders as ...W6432, the 32-bit ones as ...(x86).
  // Where neither is set there is one meaning, the variable's own.
  const std::string folded = FoldCase(name);
  const bool native = width == ProgramWidth::kNative;
  const char* meaning = folded == "programfiles"         ? (native ? "ProgramW6432" : "ProgramFiles(x86)")
                        : folded == "commonprogramfiles" ? (native ? "CommonProgramW6432" : "CommonProgramFiles(x86)")
                                                         : nullptr;
  if (meaning)
    if (std::optional<std::string> value = files_.EnvironmentVariable(meaning)) return value;
  return files_.EnvironmentVariable(name);
}

std::optional<std::string> UserEnvironment::Lookup(const std::string& name, ProgramWidth width) {
  RegistryAccessor reg(registry_, kHkeyCurrentUser);
  std::optional<RegValue> value;
  if (reg.OpenKeyReadOnly("Environment")) value = reg.ReadValue(name);
  if (!value || (value->type != kRegSz && value->type != kRegExpandSz)) return ProcessValue(name, width);
  const std::string text = RegValueText(*value, name);
  if (value->type == kRegSz) return text;
  // The user's variables are themselves expanded with the process's.
  const CommandLookups lookups{nullptr,
                               [this, width](const std::string& each) { return ProcessValue(each, width); }};
  return ExpandVariables(text, lookups);
}
