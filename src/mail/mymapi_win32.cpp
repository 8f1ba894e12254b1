#include "mail/mymapi_win32.h"

#include <windows.h>
#include <mapi.h>

#include <vector>

#include "platform/win32/system_library_win32.h"

struct Win32MapiLibrary::Loaded {
  // The system's MAPI32.DLL hands the call on to the mail program that
  // registered itself.
  SystemLibrary module{"MAPI32.DLL"};
  LPMAPISENDDOCUMENTS send_documents = module.Function<LPMAPISENDDOCUMENTS>("MAPISendDocuments");
};

MailSystem::Version Win32MailSystem::WindowsVersion() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExA(&info)) return {};
#pragma GCC diagnostic pop
  return {info.dwMajorVersion, info.dwMinorVersion};
}

int Win32MailSystem::ProfileMailMapi() { return static_cast<int>(GetProfileIntA("Mail", "MAPI", 0)); }

Win32MapiLibrary::Win32MapiLibrary(Registry& registry, MailSystem& system)
    : registry_(registry), system_(system) {}

Win32MapiLibrary::~Win32MapiLibrary() = default;

void Win32MapiLibrary::Load() {
  tried_ = true;
  if (!SimpleMapiDeclared(registry_, system_)) return;
  auto loaded = std::make_unique<Loaded>();
  if (loaded->module.Loaded()) loaded_ = std::move(loaded);
}

bool Win32MapiLibrary::Available() {
  if (!tried_) Load();
  return loaded_ && loaded_->send_documents;
}

std::uint32_t Win32MapiLibrary::SendDocuments(std::uintptr_t ui_param,
                                              const std::string& delimiter,
                                              const std::string& paths,
                                              const std::string& names) {
  if (!tried_) Load();
  if (!loaded_ || !loaded_->send_documents) return kMapiUserAbort;
  // The function takes writable strings.
  std::vector<char> delimiter_buffer(delimiter.c_str(), delimiter.c_str() + delimiter.size() + 1);
  std::vector<char> paths_buffer(paths.c_str(), paths.c_str() + paths.size() + 1);
  std::vector<char> names_buffer(names.c_str(), names.c_str() + names.size() + 1);
  return loaded_->send_documents(ui_param, delimiter_buffer.data(), paths_buffer.data(),
                                 names_buffer.data(), 0);
}
