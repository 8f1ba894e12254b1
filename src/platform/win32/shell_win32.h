#pragma once
// The Windows shell's "open" verb.
#include "platform/shell.h"

class Win32Shell : public Shell {
 public:
  void Open(std::uintptr_t parent, const std::string& address) override;
};
