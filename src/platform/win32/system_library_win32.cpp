#include "platform/win32/system_library_win32.h"

namespace {

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);

// Windows 8 and later, and Windows 7 with KB2533623, which brought the
// LOAD_LIBRARY_SEARCH_* flags with it.
SetDefaultDllDirectoriesFunction FindSetDefaultDllDirectories() {
  const HMODULE kernel = GetModuleHandleA("kernel32.dll");
  return reinterpret_cast<SetDefaultDllDirectoriesFunction>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
}

std::string SystemFolder() {
  char folder[MAX_PATH] = "";
  const UINT length = GetSystemDirectoryA(folder, sizeof folder);
  return length > 0 && length < sizeof folder ? std::string(folder, length) : std::string();
}

}  // namespace

void LoadDllsFromSystemFolderOnly() {
  if (const SetDefaultDllDirectoriesFunction restrict_search = FindSetDefaultDllDirectories())
    if (restrict_search(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
  // Without it the program's folder stays searched, but the current folder
  // at least goes out of the search.
  SetDllDirectoryA("");
}

SystemLibrary::SystemLibrary(const std::string& file_name) {
  const std::string folder = SystemFolder();
  if (folder.empty()) return;
  // The full path settles where the DLL itself comes from; the flag, where
  // its dependencies come from: the system folder, or on a system without
  // the LOAD_LIBRARY_SEARCH_* flags, the DLL's own folder first.
  const DWORD dependencies =
      FindSetDefaultDllDirectories() ? LOAD_LIBRARY_SEARCH_SYSTEM32 : LOAD_WITH_ALTERED_SEARCH_PATH;
  module_ = LoadLibraryExA((folder + "\\" + file_name).c_str(), nullptr, dependencies);
}

SystemLibrary::~SystemLibrary() {
  if (module_) FreeLibrary(module_);
}
