#include "app/win32/user_messages_win32.h"

void Win32UserMessages::Error(const std::string& text) {
  MessageBoxA(owner_, text.c_str(), "Tarnel", MB_OK | MB_ICONERROR);
}
