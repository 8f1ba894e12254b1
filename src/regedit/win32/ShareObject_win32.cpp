#include "regedit/win32/ShareObject_win32.h"

#include <vector>

TShareObject::TShareObject() {
  SYSTEM_INFO system{};
  GetSystemInfo(&system);
  FPageSize = system.dwPageSize;
  char folder[MAX_PATH] = "";
  char file[MAX_PATH] = "";
  if (GetTempPathA(MAX_PATH, folder) && GetTempFileNameA(folder, "tmp", 0, file)) FFileName = file;
}

TShareObject::~TShareObject() {
  if (FView) UnmapViewOfFile(FView);
  if (FMapping) CloseHandle(FMapping);
  if (!FFileName.empty() && GetFileAttributesA(FFileName.c_str()) != INVALID_FILE_ATTRIBUTES)
    DeleteFileA(FFileName.c_str());
}

void* TShareObject::Map() {
  FView = nullptr;
  if (FFileName.empty()) return nullptr;
  HANDLE file = CreateFileA(FFileName.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  DWORD written = 0;
  {
    const std::vector<char> zeros(FPageSize, 0);
    WriteFile(file, zeros.data(), FPageSize, &written, nullptr);
  }
  FMapping = CreateFileMappingA(file, nullptr, PAGE_READWRITE, 0, 0, nullptr);
  if (FMapping) FView = MapViewOfFile(FMapping, FILE_MAP_ALL_ACCESS, 0, 0, written);
  CloseHandle(file);  // the mapping keeps the file in use
  return FView;
}
