#pragma once
// Message boxes owned by a window.
#include <windows.h>

#include "app/user_messages.h"

class Win32UserMessages : public UserMessages {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  void Error(const std::string& text) override;

 private:
  HWND owner_ = nullptr;
};
