#include "app/win32/system_restore_win32.h"

#include <cstring>

namespace {

// The structures of srrestoreptapi.h, packed as the system lays them out.
#pragma pack(push, 1)
struct RestorePointInfoA {
  DWORD event_type;
  DWORD point_type;
  INT64 sequence;
  CHAR description[64];
};
struct StateManagerStatus {
  DWORD status;
  INT64 sequence;
};
#pragma pack(pop)

constexpr DWORD kBeginSystemChange = 100;
constexpr DWORD kEndSystemChange = 101;
constexpr DWORD kModifySettings = 12;

using SetRestorePointA = BOOL(WINAPI*)(RestorePointInfoA*, StateManagerStatus*);

// System Restore calls back into the process: COM security must let the
// system's services in, once per process, before the first call.
void AllowSystemCallbacks() {
  static bool done = false;
  if (done) return;
  done = true;
  static SystemLibrary ole("ole32.dll");
  using Initialize = HRESULT(WINAPI*)(void*, DWORD);
  using InitializeSecurity = HRESULT(WINAPI*)(void*, LONG, void*, void*, DWORD, DWORD, void*, DWORD, void*);
  const auto initialize = ole.Function<Initialize>("CoInitializeEx");
  const auto security = ole.Function<InitializeSecurity>("CoInitializeSecurity");
  if (!initialize || !security) return;
  initialize(nullptr, 0x2 /* COINIT_APARTMENTTHREADED */);
  // Packet-level authentication, impersonation, no capabilities.
  security(nullptr, -1, nullptr, nullptr, 6, 3, nullptr, 0, nullptr);
}

}  // namespace

void* Win32SystemRestore::SetPointFunction() {
  if (!library_) library_ = std::make_unique<SystemLibrary>("srclient.dll");
  return reinterpret_cast<void*>(library_->Function<SetRestorePointA>("SRSetRestorePointA"));
}

bool Win32SystemRestore::Available() { return SetPointFunction() != nullptr; }

RestorePointAnswer Win32SystemRestore::Call(int event_type, int point_type, std::int64_t sequence,
                                            const std::string& description) {
  const auto set_point = reinterpret_cast<SetRestorePointA>(SetPointFunction());
  if (!set_point) return {};
  AllowSystemCallbacks();
  RestorePointInfoA info{};
  info.event_type = static_cast<DWORD>(event_type);
  info.point_type = static_cast<DWORD>(point_type);
  info.sequence = sequence;
  std::strncpy(info.description, description.c_str(), sizeof info.description - 1);
  StateManagerStatus status{};
  const bool ok = set_point(&info, &status) != FALSE;
  return {ok, status.status, status.sequence};
}

RestorePointAnswer Win32SystemRestore::Begin(const std::string& description) {
  return Call(kBeginSystemChange, kModifySettings, 0, description);
}

RestorePointAnswer Win32SystemRestore::End(std::int64_t sequence) {
  return Call(kEndSystemChange, kModifySettings, sequence, "");
}

std::string Win32SystemRestore::ErrorText(std::uint32_t status) {
  char text[512] = {};
  const DWORD size = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, status, 0,
                                    text, sizeof text, nullptr);
  std::string message(text, size);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
    message.pop_back();
  return message;
}
