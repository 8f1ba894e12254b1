#pragma once
// A registry accessor: a root key and at most one open key, with the reading
// rules every user of the registry relies on.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

class RegistryAccessor {
 public:
  explicit RegistryAccessor(Registry& registry, RootKey root = 0)
      : registry_(registry), root_(root) {}

  void SetRootKey(RootKey root) { CloseKey(); root_ = root; }
  RootKey GetRootKey() const { return root_; }

  bool KeyExists(const std::string& path);
  // Closes the current key first; false when the key cannot be opened.
  bool OpenKeyReadOnly(const std::string& path);
  bool OpenKeyWrite(const std::string& path);
  void CloseKey() { key_.reset(); }
  // The open key; null without one.
  RegKey* OpenedKey() const { return key_.get(); }

  // All of these read the open key; without one they find nothing.
  std::vector<std::string> GetKeyNames();
  std::vector<std::string> GetValueNames();
  // Those whose names cannot be read ('?' for what they cannot show).
  std::vector<std::string> GetUnreadableKeyNames();
  std::vector<std::string> GetUnreadableValueNames();
  // The value's type and data; empty when it does not exist.
  std::optional<RegValue> ReadValue(const std::string& name);
  bool ValueExists(const std::string& name) { return ReadValue(name).has_value(); }
  // The value's name as the key stores it; empty when it does not exist.
  std::optional<std::string> StoredValueName(const std::string& name);

  // Empty text for data of size 0; the text up to its first zero for
  // REG_SZ and REG_EXPAND_SZ. Throws RegistryError "Invalid data type for
  // '<name>'" for any other type, "Failed to get data for '<name>'" when the
  // value cannot be read.
  std::string ReadString(const std::string& name);
  // A 32-bit number stored as REG_DWORD. Throws RegistryError "Failed to get
  // data for '<name>'" when the value is missing or longer than four bytes,
  // "Invalid data type for '<name>'" when it has another type.
  std::int32_t ReadInteger(const std::string& name);
  // Needs a key opened for writing; false when the write failed.
  bool WriteInteger(const std::string& name, std::int32_t value);
  // REG_SZ, with its terminating zero.
  bool WriteString(const std::string& name, const std::string& text);

 private:
  Registry& registry_;
  RootKey root_;
  std::unique_ptr<RegKey> key_;
};

// The reading rule of ReadString applied to a value already read.
std::string RegValueText(const RegValue& value, const std::string& name);
// The reading rule of ReadInteger applied to a value already read.
std::int32_t RegValueInteger(const RegValue& value, const std::string& name);
