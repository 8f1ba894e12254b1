#pragma once
// TShareObject: one page of memory that every process of Windows 95, 98 and
// ME sees at the same address, a view of a file mapping over a temporary
// file that lives as long as the object.
#include <windows.h>

#include <string>

class TShareObject {
 public:
  TShareObject();
  ~TShareObject();
  TShareObject(const TShareObject&) = delete;
  TShareObject& operator=(const TShareObject&) = delete;

  // The view's address, or null; call once.
  void* Map();
  const std::string& FileName() const { return FFileName; }
  DWORD PageSize() const { return FPageSize; }

 private:
  HANDLE FMapping = nullptr;
  void* FView = nullptr;
  std::string FFileName;
  DWORD FPageSize = 0;
};
