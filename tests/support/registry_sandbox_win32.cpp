#include "support/registry_sandbox_win32.h"

#include <memory>
#include <sstream>
#include <stdexcept>

#include "platform/win32/registry_win32.h"
#include "platform/root_keys.h"

namespace {

constexpr const char* kSandboxParent = "Software\\TarnelTests";
constexpr RootKey kRedirectedRoots[] = {kHkeyClassesRoot, kHkeyCurrentUser,   kHkeyLocalMachine,
                                        kHkeyUsers,       kHkeyCurrentConfig, kHkeyDynData};

bool redirecting_sandbox_alive = false;

HKEY PredefinedKey(RootKey root) {
  return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

HKEY CreateKey(const std::string& path) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) != ERROR_SUCCESS)
    throw std::runtime_error("cannot create the registry sandbox " + path);
  return key;
}

}  // namespace

RegistrySandbox::RegistrySandbox(Mode mode) {
  static int serial = 0;
  key_path_ = std::string(kSandboxParent) + "\\" + std::to_string(GetCurrentProcessId()) + "-" +
              std::to_string(++serial);
  if (mode == Mode::kKeyOnly) {
    RegCloseKey(CreateKey(key_path_));
    return;
  }
  if (redirecting_sandbox_alive) throw std::logic_error("only one redirecting registry sandbox at a time");
  try {
    // Every target first: once HKEY_CURRENT_USER is redirected, the
    // sandbox's own path no longer leads there.
    for (RootKey root : kRedirectedRoots) overrides_.push_back({PredefinedKey(root), CreateKey(RootPath(root))});
    for (const Override& entry : overrides_)
      if (RegOverridePredefKey(entry.predefined, entry.target) != ERROR_SUCCESS)
        throw std::runtime_error("cannot redirect the predefined registry keys");
  } catch (...) {
    Restore();
    throw;
  }
  redirecting_sandbox_alive = true;
}

RegistrySandbox::~RegistrySandbox() {
  if (!overrides_.empty()) redirecting_sandbox_alive = false;
  Restore();
}

// Undoes the redirection first: the sandbox lives in the real
// HKEY_CURRENT_USER, which the redirection hides.
void RegistrySandbox::Restore() {
  for (const Override& entry : overrides_) {
    RegOverridePredefKey(entry.predefined, nullptr);
    RegCloseKey(entry.target);
  }
  overrides_.clear();
  Win32Registry real;
  real.DeleteKey(kHkeyCurrentUser, key_path_);
  RegDeleteKeyA(HKEY_CURRENT_USER, kSandboxParent);  // only when no other sandbox is left in it
}

std::string RegistrySandbox::FullPath() const { return RootKeyName(kHkeyCurrentUser) + "\\" + key_path_; }

std::string RegistrySandbox::RootPath(RootKey root) const { return key_path_ + "\\" + RootKeyName(root); }

std::string RegistrySandbox::Relocated(const std::string& reg_text) const {
  std::istringstream lines(reg_text);
  std::string text;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("[", 0) == 0) {
      const std::size_t end = line.find_first_of("\\]");
      const RootKey root = RootKeyFromName(line.substr(1, end - 1));
      if (root) line = "[HKEY_CURRENT_USER\\" + RootPath(root) + line.substr(end);
    }
    text += line + "\n";
  }
  return text;
}

std::unique_ptr<SandboxedSystemRegistry> MakeSandboxedSystemRegistry() {
  return std::make_unique<SandboxedSystemRegistry>();
}
