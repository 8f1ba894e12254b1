#pragma once
// Opening the system registry editor at a key and value.
#include <string>

class RegistryNavigator {
 public:
  virtual ~RegistryNavigator() = default;
  // key: the full path ("HKEY_CURRENT_USER\..."); value: a value's caption
  // ("(Default)" for the unnamed one), or empty for the key alone.
  virtual void GotoKey(const std::string& key, const std::string& value) = 0;
};
