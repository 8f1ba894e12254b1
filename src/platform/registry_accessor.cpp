#include "platform/registry_accessor.h"

#include "platform/registry_errors.h"

bool RegistryAccessor::KeyExists(const std::string& path) {
  return registry_.OpenRead(root_, path) != nullptr;
}

bool RegistryAccessor::OpenKeyReadOnly(const std::string& path) {
  CloseKey();
  key_ = registry_.OpenRead(root_, path);
  if (key_) path_ = path;
  return key_ != nullptr;
}

bool RegistryAccessor::OpenKeyWrite(const std::string& path) {
  CloseKey();
  key_ = registry_.OpenWrite(root_, path);
  if (key_) path_ = path;
  return key_ != nullptr;
}

std::vector<std::string> RegistryAccessor::GetKeyNames() {
  return key_ ? key_->SubkeyNames() : std::vector<std::string>{};
}

std::vector<std::string> RegistryAccessor::GetValueNames() {
  return key_ ? key_->ValueNames() : std::vector<std::string>{};
}

std::optional<RegValue> RegistryAccessor::ReadValue(const std::string& name) {
  if (!key_) return std::nullopt;
  return key_->QueryValue(name);
}

std::string RegistryAccessor::ReadString(const std::string& name) {
  std::optional<RegValue> value = ReadValue(name);
  if (!value) throw RegistryError("Failed to get data for '" + name + "'");
  return RegValueText(*value, name);
}

std::string RegValueText(const RegValue& value, const std::string& name) {
  if (value.data.empty()) return std::string();
  if (value.type != kRegSz && value.type != kRegExpandSz)
    throw RegistryError("Invalid data type for '" + name + "'");
  std::string text(value.data.begin(), value.data.end());
  return text.substr(0, text.find('\0'));
}
