#include "platform/win32/shell_win32.h"

#include <windows.h>
#include <shellapi.h>

void Win32Shell::Open(std::uintptr_t parent, const std::string& address) {
  // SW_HIDE: the handler opens its own window; nothing of ours to show.
  ShellExecuteA(reinterpret_cast<HWND>(parent), "open", address.c_str(), nullptr, nullptr, SW_HIDE);
}
