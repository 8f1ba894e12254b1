#pragma once
// The system registry. Keys are opened and written through the ANSI
// registry functions; names and text are read through the UTF-16 ones and
// converted to the program's code page, so that what it cannot hold is
// known as unreadable instead of read with '?' in it. Root handles are the
// seven predefined keys; any other handle value opens nothing.
#include "platform/code_page.h"
#include "platform/registry.h"

class Win32Registry : public Registry {
 public:
  // The process's code page unless told another (tests of the rule).
  Win32Registry();
  explicit Win32Registry(const CodePage& code_page) : code_page_(code_page) {}

  std::unique_ptr<RegKey> OpenRead(RootKey root, const std::string& path) override;
  std::unique_ptr<RegKey> OpenWrite(RootKey root, const std::string& path) override;
  bool DeleteKey(RootKey root, const std::string& path) override;

 private:
  const CodePage& code_page_;
};
