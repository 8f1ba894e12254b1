#pragma once
// The Windows clipboard: CF_TEXT in the program's code page, and the same
// text as CF_UNICODETEXT.
#include <cstdint>

#include "platform/clipboard.h"

class Win32Clipboard : public Clipboard {
 public:
  // owner: the window that opens the clipboard, as a number; 0 for none.
  void SetOwner(std::uintptr_t owner) { owner_ = owner; }
  bool SetText(const std::string& text) override;

 private:
  std::uintptr_t owner_ = 0;
};
