#pragma once
// Opening the system registry editor at a key and value.
#include <string>

#include "platform/shell.h"

class RegistryNavigator {
 public:
  virtual ~RegistryNavigator() = default;
  // key: the full path ("HKEY_CURRENT_USER\..."); value: a value name,
  // "(Default)" for the unnamed one, or empty for the key alone.
  virtual void GotoKey(const std::string& key, const std::string& value) = 0;
};

// Until the editor is driven to the key: starts it, where the user finds
// the key by hand.
class RegistryEditorStarter : public RegistryNavigator {
 public:
  explicit RegistryEditorStarter(Shell& shell) : shell_(shell) {}
  void GotoKey(const std::string&, const std::string&) override { shell_.Open(0, "regedit.exe"); }

 private:
  Shell& shell_;
};
