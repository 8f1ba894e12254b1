#pragma once
// Message boxes and file dialogs owned by a window.
#include <windows.h>

#include "app/user_messages.h"

class Win32UserMessages : public UserMessages {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  void Error(const std::string& text) override;
  void Inform(const std::string& text) override;
  bool Confirm(const std::string& title, const std::string& text) override;
  // SaveDialog1: REGEDIT4 files, extension "reg", asking before it
  // overwrites, no read-only box, resizable.
  std::optional<std::string> AskSaveFile(const std::string& title) override;
  // The same kind of file, to read.
  std::optional<std::string> AskOpenFile(const std::string& title, const std::string& folder) override;

 private:
  HWND owner_ = nullptr;
};
