#pragma once
// Handing an address (a web page, a "mailto:" link) to the system, which
// opens it with the program registered for it. Failures are not reported.
#include <cstdint>
#include <string>

class Shell {
 public:
  virtual ~Shell() = default;
  // parent: the window handle of the caller, as a number; 0 for none.
  virtual void Open(std::uintptr_t parent, const std::string& address) = 0;
};
