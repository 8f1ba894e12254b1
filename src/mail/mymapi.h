#pragma once
// Hands a file to the mail program through Simple MAPI's MAPISendDocuments.
// No session is opened: the mail program opens its own as it needs.
#include <cstdint>
#include <string>

#include "mail/mail_sender.h"
#include "platform/registry.h"

// The Simple MAPI result a call gives when the library or its function is
// missing (MAPI_USER_ABORT).
inline constexpr std::uint32_t kMapiUserAbort = 1;

// MAPISendDocuments of the system's mail library.
class MapiLibrary {
 public:
  virtual ~MapiLibrary() = default;
  // Blocks until the mail dialog is closed; kMapiUserAbort when the
  // library or its function is missing.
  virtual std::uint32_t SendDocuments(std::uintptr_t ui_param, const std::string& delimiter,
                                      const std::string& paths, const std::string& names) = 0;
  // Whether the library and its function are there at all.
  virtual bool Available() { return true; }
};

// What the system tells about its mail support.
class MailSystem {
 public:
  virtual ~MailSystem() = default;
  struct Version {
    unsigned major = 0;
    unsigned minor = 0;
  };
  virtual Version WindowsVersion() = 0;
  // The "MAPI" entry of section "Mail" of the system profile; 0 when absent.
  virtual int ProfileMailMapi() = 0;
};

// Whether the system declares Simple MAPI present: above Windows 3.51 the
// value "MAPI" of HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows Messaging
// Subsystem reads exactly "1"; up to 3.51 the profile entry is non-zero.
bool SimpleMapiDeclared(Registry& registry, MailSystem& system);

// The file's name without its folder: what follows the last backslash or
// drive colon.
std::string MailDisplayName(const std::string& path);

class TMyMapi : public MailSender {
 public:
  TMyMapi(std::uintptr_t ui_param, MapiLibrary& mapi) : FUIParam(ui_param), mapi_(mapi) {}
  // One attachment. The user's cancel counts as handed over; no library,
  // or any other failure (Wine's "not supported", 26), as no mail program.
  MailResult SendFile(const std::string& path) override;

 private:
  std::uintptr_t FUIParam;  // parent window of the mail dialog
  MapiLibrary& mapi_;
};
