#include "mail/mymapi.h"

#include <memory>

#include "platform/registry_accessor.h"
#include "platform/root_keys.h"

bool SimpleMapiDeclared(Registry& registry, MailSystem& system) {
  const MailSystem::Version version = system.WindowsVersion();
  if (version.major > 3 || (version.major == 3 && version.minor > 51)) {
    const std::unique_ptr<RegKey> key =
        registry.OpenRead(kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Windows Messaging Subsystem");
    if (!key) return false;
    const std::optional<RegValue> value = key->QueryValue("MAPI");
    if (!value || (value->type != kRegSz && value->type != kRegExpandSz)) return false;
    return RegValueText(*value, "MAPI") == "1";
  }
  return system.ProfileMailMapi() != 0;
}

std::string MailDisplayName(const std::string& path) {
  const std::string::size_type separator = path.find_last_of("\\:");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

MailResult TMyMapi::SendFile(const std::string& path) {
  const std::uint32_t result = mapi_.SendDocuments(FUIParam, ";", path, MailDisplayName(path));
  if (!mapi_.Available()) return MailResult::kNoMailProgram;
  return result == 0 || result == kMapiUserAbort ? MailResult::kHandedOver : MailResult::kNoMailProgram;
}
