#pragma once
// Shapes shared by the check routines.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/registry_accessor.h"
#include "scan/Errors.h"

// The text of a value read as a string, or none when the value does not
// exist. A value that is not text throws RegistryError.
std::optional<std::string> ReadValueText(RegistryAccessor& reg, const std::string& name);

// The key's own name: the text after the last backslash, or none when the
// path has no backslash.
std::optional<std::string> LastKeyName(const std::string& key_path);

class CheckContext;

// Single-value shape: when the value exists and its text does not pass,
// reports one problem naming it: recorded_name for the default value (its
// stand-in), else the value's name as the key stores it, whatever letter
// case the rule spelled it in.
void CheckSingleValue(CheckContext& owner, const std::string& full_path, RegistryAccessor& reg,
                      const std::string& value_name, const std::string& recorded_name, const char* message,
                      std::int32_t level, const std::function<bool(const std::string& text)>& passes);

// Value-list shape: walks every value of the key in enumeration order;
// bad(name) gives the name to record for a faulty value, or none. One
// problem names them all.
void CheckValueList(CheckContext& owner, const std::string& full_path, RegistryAccessor& reg, const char* message,
                    std::int32_t level,
                    const std::function<std::optional<std::string>(const std::string& name)>& bad);

// The data of a plain-text (REG_SZ) value, or none for any other value.
std::optional<std::string> PlainText(RegistryAccessor& reg, const std::string& name);

// The data of a text value, plain or with %NAME% references
// (REG_EXPAND_SZ), or none for any other value.
std::optional<std::string> TextData(RegistryAccessor& reg, const std::string& name);
