#pragma once
// Simple MAPI from "MAPI32.DLL", loaded at run time.
#include <memory>

#include "mail/mymapi.h"

// The system's version and profile entry, as the presence test reads them.
class Win32MailSystem : public MailSystem {
 public:
  Version WindowsVersion() override;
  int ProfileMailMapi() override;
};

// Tests once, at the first call, whether the system declares Simple MAPI;
// then loads the library and looks MAPISendDocuments up by name, once. The
// library stays loaded until this object goes.
class Win32MapiLibrary : public MapiLibrary {
 public:
  Win32MapiLibrary(Registry& registry, MailSystem& system);
  ~Win32MapiLibrary() override;
  Win32MapiLibrary(const Win32MapiLibrary&) = delete;
  Win32MapiLibrary& operator=(const Win32MapiLibrary&) = delete;

  std::uint32_t SendDocuments(std::uintptr_t ui_param, const std::string& delimiter,
                              const std::string& paths, const std::string& names) override;
  bool Available() override;

 private:
  void Load();

  Registry& registry_;
  MailSystem& system_;
  bool tried_ = false;
  struct Loaded;
  std::unique_ptr<Loaded> loaded_;
};
