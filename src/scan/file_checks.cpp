// The checks of values that name programs, documents and folders.
#include "platform/files.h"
#include "scan/BaseVer.h"
#include "scan/check_context.h"
#include "scan/check_helpers.h"
#include "scan/command_line.h"

bool TBaseVerClass::CommandTargetExists(const std::string& command_line) {
  return ::CommandTargetExists(command_line, [this](const std::string& name) { return FOwner.FileFound(name); });
}

void TINISectionVarClass::DIRDEF_(const std::string& root_prefix, RegistryAccessor& reg,
                                  const std::string& key_path, const Parameter&, std::int32_t level) {
  // The folder as stored: no quotes removed, no variables expanded.
  CheckSingleValue(FOwner, root_prefix + key_path, reg, "", kDefaultValueName, kFileNotFound, level,
                   [this](const std::string& text) { return !text.empty() && FOwner.FolderFound(text); });
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
                   std::optional<std::string> text = PlainText(reg, name);
                   if (!text || text->empty() || CommandTargetExists(*text)) return std::nullopt;
                   return name.empty() ? std::string(kDefaultValueName) : name;
                 });
}

void TINISectionVarClass::ND_(const std::string& root_prefix, RegistryAccessor& reg,
                              const std::string& key_path, const Parameter& parameter, std::int32_t level) {
  CheckValueList(FOwner, root_prefix + key_path, reg, kFileNotFound, level,
                 [&](const std::string& name) -> std::optional<std::string> {
                   std::optional<std::string> text = PlainText(reg, name);
                   if (!text || CommandTargetExists(name + parameter.value_or("") + *text)) return std::nullopt;
                   return name;
                 });
}

void TINISectionVarClass::DN_(const std::string& root_prefix, RegistryAccessor& reg,
                              const std::string& key_path, const Parameter& parameter, std::int32_t level) {
  CheckValueList(FOwner, root_prefix + key_path, reg, kFileNotFound, level,
                 [&](const std::string& name) -> std::optional<std::string> {
                   std::optional<std::string> text = PlainText(reg, name);
                   if (!text || CommandTargetExists(*text + parameter.value_or("") + name)) return std::nullopt;
                   return name;
                 });
}
