#include "app/win32/system_restore_win32.h"

#include <objbase.h>
#include <srrestoreptapi.h>

#include <cstring>

namespace {

using SetRestorePointA = BOOL(WINAPI*)(RESTOREPOINTINFOA*, STATEMGRSTATUS*);

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
  initialize(nullptr, COINIT_APARTMENTTHREADED);
  // No access check on calls back, private packets, identify only: the
  // system's services can answer, and learn no more of the caller.
  security(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT_PRIVACY, RPC_C_IMP_LEVEL_IDENTIFY, nullptr, EOAC_NONE,
           nullptr);
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
  RESTOREPOINTINFOA info{};
  info.dwEventType = static_cast<DWORD>(event_type);
  info.dwRestorePtType = static_cast<DWORD>(point_type);
  info.llSequenceNumber = sequence;
  std::strncpy(info.szDescription, description.c_str(), sizeof info.szDescription - 1);
  STATEMGRSTATUS status{};
  const bool ok = set_point(&info, &status) != FALSE;
  return {ok, status.nStatus, status.llSequenceNumber};
}

RestorePointAnswer Win32SystemRestore::Begin(const std::string& description) {
  return Call(BEGIN_SYSTEM_CHANGE, MODIFY_SETTINGS, 0, description);
}

RestorePointAnswer Win32SystemRestore::End(std::int64_t sequence) {
  return Call(END_SYSTEM_CHANGE, MODIFY_SETTINGS, sequence, "");
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
