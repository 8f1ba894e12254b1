#pragma once
// Code from the system folder only. A DLL planted beside the program (a
// Downloads folder) or in the current folder would otherwise run inside it,
// with the administrator's rights the program may have been given.
#include <windows.h>

#include <string>

// Takes every later load that names no path, and the DLLs those loads pull
// in, from the system folder only. Called first thing in main: the imports
// loaded before it are all Known DLLs, which never come from a folder.
void LoadDllsFromSystemFolderOnly();

// A DLL named by its file name, loaded from the system folder with its own
// dependencies from there; freed when the object goes.
class SystemLibrary {
 public:
  explicit SystemLibrary(const std::string& file_name);
  ~SystemLibrary();
  SystemLibrary(const SystemLibrary&) = delete;
  SystemLibrary& operator=(const SystemLibrary&) = delete;

  bool Loaded() const { return module_ != nullptr; }
  // The named export as a function pointer of type F, or null.
  template <typename F>
  F Function(const char* name) const {
    if (!module_) return nullptr;
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }

 private:
  HMODULE module_ = nullptr;
};
