#include "platform/registry_accessor.h"

#include "platform/registry_errors.h"

bool RegistryAccessor::KeyExists(const std::string& path) {
  return registry_.OpenRead(root_, path) != nullptr;
}

bool RegistryAccessor::OpenKeyReadOnly(const std::string& path) {
  CloseKey();
  key_ = registry_.OpenRead(root_, path);
  return key_ != nullptr;
}

bool RegistryAccessor::OpenKeyWrite(const std::string& path) {
  CloseKey();
  key_ = registry_.OpenWrite(root_, path);
  return key_ != nullptr;
}

std::vector<std::string> RegistryAccessor::GetKeyNames() {
  return key_ ? key_->SubkeyNames() : std::vector<std::string>{};
}

std::vector<std::string> RegistryAccessor::GetValueNames() {
  return key_ ? key_->ValueNames() : std::vector<std::string>{};
}

std::vector<std::string> RegistryAccessor::GetUnreadableKeyNames() {
  return key_ ? key_->UnreadableSubkeyNames() : std::vector<std::string>{};
}

std::vector<std::string> RegistryAccessor::GetUnreadableValueNames() {
  return key_ ? key_->UnreadableValueNames() : std::vector<std::string>{};
}

std::optional<RegValue> RegistryAccessor::ReadValue(const std::string& name) {
  if (!key_) return std::nullopt;
  return key_->QueryValue(name);
}

std::optional<std::string> RegistryAccessor::StoredValueName(const std::string& name) {
  if (!key_) return std::nullopt;
  return key_->StoredValueName(name);
}

std::string RegistryAccessor::ReadString(const std::string& name) {
  std::optional<RegValue> value = ReadValue(name);
  if (!value) throw RegistryError("Failed to get data for '" + name + "'");
  return RegValueText(*value, name);
}

std::int32_t RegistryAccessor::ReadInteger(const std::string& name) {
  std::optional<RegValue> value = ReadValue(name);
  if (!value) throw RegistryError("Failed to get data for '" + name + "'");
  return RegValueInteger(*value, name);
}

std::int32_t RegValueInteger(const RegValue& value, const std::string& name) {
  // A four-byte buffer cannot take longer data: the read itself fails.
  if (value.data.size() > 4) throw RegistryError("Failed to get data for '" + name + "'");
  if (value.type != kRegDword) throw RegistryError("Invalid data type for '" + name + "'");
  std::uint32_t number = 0;
  for (std::size_t i = 0; i < value.data.size(); ++i) number |= std::uint32_t{value.data[i]} << (8 * i);
  return static_cast<std::int32_t>(number);
}

bool RegistryAccessor::WriteInteger(const std::string& name, std::int32_t value) {
  if (!key_) return false;
  const auto number = static_cast<std::uint32_t>(value);
  RegValue data{kRegDword, {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
                            static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)}};
  return key_->SetValue(name, data);
}

bool RegistryAccessor::WriteString(const std::string& name, const std::string& text) {
  if (!key_) return false;
  RegValue data{kRegSz, std::vector<std::uint8_t>(text.begin(), text.end())};
  data.data.push_back(0);
  return key_->SetValue(name, data);
}

std::string RegValueText(const RegValue& value, const std::string& name) {
  if (value.data.empty()) return std::string();
  if (value.type != kRegSz && value.type != kRegExpandSz)
    throw RegistryError("Invalid data type for '" + name + "'");
  std::string text(value.data.begin(), value.data.end());
  return text.substr(0, text.find('\0'));
}
