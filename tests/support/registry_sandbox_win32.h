#pragma once
// A throwaway key for tests that use the system registry, so that no test
// touches a user's real settings: the key Software\TarnelTests\<pid>-<n>
// of HKEY_CURRENT_USER, deleted with everything below it when the sandbox
// goes.
//
// Mode::kRedirectRoots also redirects this process's predefined roots
// (HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS,
// HKEY_CURRENT_CONFIG, HKEY_DYN_DATA) to subkeys of the sandbox named after
// them, each starting empty, until the sandbox goes. Code under test then
// reads and writes "HKEY_LOCAL_MACHINE\..." as usual. HKEY_PERFORMANCE_DATA
// is not redirected: it accepts no keys, redirected or not. Only one
// redirecting sandbox may live at a time.
//
// Child processes (the registry editor merging a file, say) do not see the
// redirection. Tests that run one use Mode::kKeyOnly and give the child
// full paths below KeyPath() in the real HKEY_CURRENT_USER.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/win32/registry_win32.h"

class RegistrySandbox {
 public:
  enum class Mode { kKeyOnly, kRedirectRoots };

  explicit RegistrySandbox(Mode mode = Mode::kRedirectRoots);
  ~RegistrySandbox();
  RegistrySandbox(const RegistrySandbox&) = delete;
  RegistrySandbox& operator=(const RegistrySandbox&) = delete;

  // The sandbox key below the real HKEY_CURRENT_USER.
  const std::string& KeyPath() const { return key_path_; }
  // The same as a full path: "HKEY_CURRENT_USER\Software\TarnelTests\...".
  std::string FullPath() const;
  // Where a redirected root lands, below the real HKEY_CURRENT_USER.
  std::string RootPath(RootKey root) const;
  // The lines of a registry file with its keys moved where the sandbox
  // keeps their roots, for a child process (the registry editor) to merge.
  std::string Relocated(const std::string& reg_text) const;

 private:
  struct Override {
    HKEY predefined;
    HKEY target;
  };
  void Restore();

  std::string key_path_;
  std::vector<Override> overrides_;
};

// The system registry with its roots redirected into a sandbox for as long
// as it lives.
class SandboxedSystemRegistry : public Win32Registry {
 public:
  const RegistrySandbox& Sandbox() const { return sandbox_; }

 private:
  RegistrySandbox sandbox_;
};
std::unique_ptr<SandboxedSystemRegistry> MakeSandboxedSystemRegistry();
