// The checks of values that name programs, documents and folders.
#include "platform/files.h"
#include "platform/registry_views.h"
#include "scan/BaseVer.h"
#include "scan/check_context.h"
#include "scan/check_helpers.h"
#include "scan/command_line.h"
#include "scan/path_forms.h"
#include "scan/program_folders.h"

namespace {

CommandLookups LookupsOf(CheckContext& owner, ProgramWidth width) {
  return {[&owner](const std::string& name) { return owner.FileSearch(name); },
          [&owner, width](const std::string& name) { return owner.Variable(name, width); }};
}

KeyView ViewOf(CheckContext& owner, const RegistryAccessor& reg, const std::string& key_path) {
  return ViewOfKey(owner.ScannedRegistry(), reg.GetRootKey(), key_path);
}

// A folder as written, its variables expanded and one pair of quotation
// marks dropped; one that names a variable without a value cannot be told
// missing.
bool FolderExists(CheckContext& owner, const std::string& text, const RegistryAccessor& reg,
                  const std::string& key_path) {
  if (text.empty()) return false;
  const auto judge = [&](ProgramWidth width) {
    std::string folder = ExpandVariables(text, LookupsOf(owner, width));
    if (folder.size() >= 2 && folder.front() == '"' && folder.back() == '"')
      folder = folder.substr(1, folder.size() - 2);
    folder = std::string(WithoutNamespacePrefix(folder));
    return HoldsVariable(folder) || owner.FolderFound(folder) ? Presence::kFound : Presence::kMissing;
  };
  return PresenceAsRead(text, [&] { return ViewOf(owner, reg, key_path); }, judge) != Presence::kMissing;
}

// A value that holds only blanks, or nothing, names nothing.
bool NamesNothing(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

}  // namespace

bool TBaseVerClass::CommandTargetExists(const std::string& command_line, const RegistryAccessor& reg,
                                        const std::string& key_path) {
  const auto judge = [&](ProgramWidth width) { return CommandTargetPresence(command_line, LookupsOf(FOwner, width)); };
  return PresenceAsRead(command_line, [&] { return ViewOf(FOwner, reg, key_path); }, judge) != Presence::kMissing;
}

void TINISectionVarClass::DIRDEF_(const std::string& root_prefix, RegistryAccessor& reg,
                                  const std::string& key_path, const Parameter&, std::int32_t level) {
  CheckSingleValue(FOwner, root_prefix + key_path, reg, "", kDefaultValueName, kFileNotFound, level,
                   [&](const std::string& text) { return FolderExists(FOwner, text, reg, key_path); });
}

void TINISectionVarClass::FILEDEF_(const std::string& root_prefix, RegistryAccessor& reg,
                                   const std::string& key_path, const Parameter&, std::int32_t level) {
  CheckSingleValue(FOwner, root_prefix + key_path, reg, "", kDefaultValueName, kFileNotFound, level,
                   [&](const std::string& text) { return CommandTargetExists(text, reg, key_path); });
}

void TINISectionVarClass::FILE_(const std::string& root_prefix, RegistryAccessor& reg,
                                const std::string& key_path, const Parameter& parameter, std::int32_t level) {
  const std::string name = parameter.value_or("");
  CheckSingleValue(FOwner, root_prefix + key_path, reg, name, name, kFileNotFound, level,
                   [&](const std::string& text) {
                     return NamesNothing(text) || CommandTargetExists(text, reg, key_path);
                   });
}

void TINISectionVarClass::LN_(const std::string& root_prefix, RegistryAccessor& reg,
                              const std::string& key_path, const Parameter&, std::int32_t level) {
  CheckValueList(FOwner, root_prefix + key_path, reg, kFileNotFound, level,
                 [&](const std::string& name) -> std::optional<std::string> {
                   if (name.empty() || CommandTargetExists(name, reg, key_path)) return std::nullopt;
                   return name;
                 });
}

void TINISectionVarClass::LD_(const std::string& root_prefix, RegistryAccessor& reg,
                              const std::string& key_path, const Parameter&, std::int32_t level) {
  CheckValueList(FOwner, root_prefix + key_path, reg, kFileNotFound, level,
                 [&](const std::string& name) -> std::optional<std::string> {
                   std::optional<std::string> text = TextData(reg, name);
                   if (!text || NamesNothing(*text) || CommandTargetExists(*text, reg, key_path)) return std::nullopt;
                   return name.empty() ? std::string(kDefaultValueName) : name;
                 });
}

void TINISectionVarClass::ND_(const std::string& root_prefix, RegistryAccessor& reg,
                              const std::string& key_path, const Parameter& parameter, std::int32_t level) {
  CheckValueList(FOwner, root_prefix + key_path, reg, kFileNotFound, level,
                 [&](const std::string& name) -> std::optional<std::string> {
                   std::optional<std::string> text = TextData(reg, name);
                   if (!text || CommandTargetExists(name + parameter.value_or("") + *text, reg, key_path))
                     return std::nullopt;
                   return name;
                 });
}

void TINISectionVarClass::DN_(const std::string& root_prefix, RegistryAccessor& reg,
                              const std::string& key_path, const Parameter& parameter, std::int32_t level) {
  CheckValueList(FOwner, root_prefix + key_path, reg, kFileNotFound, level,
                 [&](const std::string& name) -> std::optional<std::string> {
                   std::optional<std::string> text = TextData(reg, name);
                   if (!text || CommandTargetExists(*text + parameter.value_or("") + name, reg, key_path))
                     return std::nullopt;
                   return name;
                 });
}
