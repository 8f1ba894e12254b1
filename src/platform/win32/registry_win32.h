#pragma once
// The system registry through the ANSI registry functions. Root handles are
// the seven predefined keys; any other handle value opens nothing. On 64-bit
// Windows every key is opened in the 64-bit view, from either width, so
// that a path names its view (registry_views.h).
#include "platform/registry.h"

class Win32Registry : public Registry {
 public:
  std::unique_ptr<RegKey> OpenRead(RootKey root, const std::string& path) override;
  std::unique_ptr<RegKey> OpenWrite(RootKey root, const std::string& path) override;
  bool DeleteKey(RootKey root, const std::string& path) override;
  bool HasTwoViews() override;
  bool IsUserClassesKey(const std::string& path) override;
};
