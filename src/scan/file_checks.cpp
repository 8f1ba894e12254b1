// The checks of values that name programs, documents and folders.
#include "platform/files.h"
#include "scan/BaseVer.h"
#include "scan/check_context.h"
#include "scan/check_helpers.h"
#include "scan/command_line.h"

namespace {

CommandLookups LookupsOf(CheckContext& owner) {
  return {[&owner](const std::string& name) { return owner.FileSearch(name); },
          [&owner](const std::string& name) { return owner.Variable(name); }};
}

}  // namespace

bool TBaseVerClass::CommandTargetExists(const std::string& command_line) {
  return CommandTargetPresence(command_line, LookupsOf(FOwner)) != Presence::kMissing;
}

std::string TBaseVerClass::Expanded(const std::string& text) { return ExpandVariables(text, LookupsOf(FOwner)); }

void TINISectionVarClass::DIRDEF_(const std::string& root_prefix, RegistryAccessor& reg,
                                  const std::string& key_path, const Parameter&, std::int32_t level) {
  // The folder with its variables expanded; one that names a variable
  // without a value cannot be told missing.
  CheckSingleValue(FOwner, root_prefix + key_path, reg, "", kDefaultValueName, kFileNotFound, level,
                   [this](const std::string& text) {
                     if (text.empty()) return false;
                     std::string folder = Expanded(text);
                     if (folder.size() >= 2 && folder.front() == '"' && folder.back() == '"')
                       folder = folder.substr(1, folder.size() - 2);
                     return HoldsVariable(folder) || FOwner.FolderFound(folder);
                   });
}

void TINISectionVarClass::FILEDEF_(const std::string& root_prefix, RegistryAccessor& reg,
                                   const std::string& key_path, const Parameter&, std::int32_t level) {
  CheckSingleValue(FOwner, root_prefix + key_path, reg, "", kDefaultValueName, kFileNotFound, level,
                   [this](const std::string& text) { return CommandTargetExists(text); });
}

void TINISectionVarClass::FILE_(const std::string& root_prefix, RegistryAccessor& reg,
                                const std::string& key_path, const Parameter& parameter, std::int32_t level) {
  const std::string name = parameter.value_or("");
  CheckSingleValue(FOwner, root_prefix + key_path, reg, name, name, kFileNotFound, level,
                   [this](const std::string& text) { return CommandTargetExists(text); });
}

void TINISectionVarClass::LN_(const std::string& root_prefix, RegistryAccessor& reg,
                              const std::string& key_path, const Parameter&, std::int32_t level) {
  CheckValueList(FOwner, root_prefix + key_path, reg, kFileNotFound, level,
                 [this](const std::string& name) -> std::optional<std::string> {
                   if (name.empty() || CommandTargetExists(name)) return std::nullopt;
                   return name;
                 });
}

void TINISectionVarClass::LD_(const std::string& root_prefix, RegistryAccessor& reg,
                              const std::string& key_path, const Parameter&, std::int32_t level) {
  CheckValueList(FOwner, root_prefix + key_path, reg, kFileNotFound, level,
                 [&](const std::string& name) -> std::optional<std::string> {
                   std::optional<std::string> text = TextData(reg, name);
                   if (!text || text->empty() || CommandTargetExists(*text)) return std::nullopt;
                   return name.empty() ? std::string(kDefaultValueName) : name;
                 });
}

void TINISectionVarClass::ND_(const std::string& root_prefix, RegistryAccessor& reg,
                              const std::string& key_path, const Parameter& parameter, std::int32_t level) {
  CheckValueList(FOwner, root_prefix + key_path, reg, kFileNotFound, level,
                 [&](const std::string& name) -> std::optional<std::string> {
                   std::optional<std::string> text = TextData(reg, name);
                   if (!text || CommandTargetExists(name + parameter.value_or("") + *text)) return std::nullopt;
                   return name;
                 });
}

void TINISectionVarClass::DN_(const std::string& root_prefix, RegistryAccessor& reg,
                              const std::string& key_path, const Parameter& parameter, std::int32_t level) {
  CheckValueList(FOwner, root_prefix + key_path, reg, kFileNotFound, level,
                 [&](const std::string& name) -> std::optional<std::string> {
                   std::optional<std::string> text = TextData(reg, name);
                   if (!text || CommandTargetExists(*text + parameter.value_or("") + name)) return std::nullopt;
                   return name;
                 });
}
