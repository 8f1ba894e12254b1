#include "platform/win32/wow64_win32.h"

bool IsWow64Program() {
#ifdef _WIN64
  return false;
#else
  static const bool wow64 = [] {
    BOOL result = FALSE;
    return IsWow64Process(GetCurrentProcess(), &result) && result;
  }();
  return wow64;
#endif
}

bool SystemHasTwoViews() {
#ifdef _WIN64
  return true;
#else
  return IsWow64Program();
#endif
}

// A 64-bit program opens the 64-bit view by default.
REGSAM RegistryViewAccess() { return IsWow64Program() ? KEY_WOW64_64KEY : 0; }
