#pragma once
// The system registry, through the UTF-16 registry functions: names and
// text are converted exactly between them and the program's code page, so
// that what it cannot hold is known as unreadable instead of read with '?'
// in it, and a name of any length in the code page reaches its key. Root handles are the
// seven predefined keys; any other handle value opens nothing. On 64-bit
// Windows every key is opened in the 64-bit view, from either width, so
// that a path names its view (registry_views.h).
#include <windows.h>

#include "platform/code_page.h"
#include "platform/registry.h"

class Win32Registry : public Registry {
 public:
  enum class Views {
    kSystem,  // the system's views as they are: both on 64-bit Windows
    // This program's own view only, every path taken as this program sees
    // it: for roots redirected into one key (a test sandbox), which has no
    // views of its own.
    kOwn,
  };
  // The process's code page unless told another (tests of the rule).
  explicit Win32Registry(Views views = Views::kSystem);
  explicit Win32Registry(const CodePage& code_page, Views views = Views::kSystem);

  std::unique_ptr<RegKey> OpenRead(RootKey root, const std::string& path) override;
  std::unique_ptr<RegKey> OpenWrite(RootKey root, const std::string& path) override;
  std::unique_ptr<RegKey> OpenExisting(RootKey root, const std::string& path) override;
  bool DeleteKey(RootKey root, const std::string& path) override;
  bool DeleteLeafKey(RootKey root, const std::string& path) override;
  bool HasTwoViews() override;
  bool IsUserClassesKey(const std::string& path) override;

  // How a path is opened: for reading, for writing when it exists, or
  // created with its missing parents.
  enum class Opening { kRead, kWrite, kCreate };

 private:
  std::unique_ptr<RegKey> Open(RootKey root, const std::string& path, Opening how);
  // Opens the key's parent, then deletes the key by its name there.
  template <typename DeleteChild>
  bool Delete(RootKey root, const std::string& path, DeleteChild delete_child);

  const CodePage& code_page_;
  Views views_;
  REGSAM view_;  // the flag keys are opened with
};
