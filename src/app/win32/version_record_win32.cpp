#include "app/win32/version_record_win32.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/system_library_win32.h"

// VERSION.dll is not a Known DLL: imported, it would be looked for beside
// the program first. Loaded by name from the system folder, it is not.
struct Win32VersionRecordReader::Functions {
  using SizeFunction = DWORD(WINAPI*)(LPCSTR, LPDWORD);
  using ReadFunction = BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID);
  using QueryFunction = BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT);

  SystemLibrary library{"version.dll"};
  SizeFunction size = library.Function<SizeFunction>("GetFileVersionInfoSizeA");
  ReadFunction read = library.Function<ReadFunction>("GetFileVersionInfoA");
  QueryFunction query = library.Function<QueryFunction>("VerQueryValueA");
};

namespace {

class Win32VersionRecord : public VersionRecord {
 public:
  Win32VersionRecord(std::shared_ptr<const Win32VersionRecordReader::Functions> functions,
                     std::vector<std::uint8_t> buffer)
      : functions_(std::move(functions)), buffer_(std::move(buffer)) {}

  std::optional<std::vector<std::uint8_t>> Query(const std::string& path) const override {
    void* found = nullptr;
    UINT length = 0;
    if (!functions_->query(buffer_.data(), path.c_str(), &found, &length) || !found) return std::nullopt;
    const auto* bytes = static_cast<const std::uint8_t*>(found);
    // Texts are counted in characters including their zero; blocks in bytes.
    const bool text = path.rfind("\\StringFileInfo\\", 0) == 0;
    std::size_t size = text ? strnlen(static_cast<const char*>(found), length) : length;
    return std::vector<std::uint8_t>(bytes, bytes + size);
  }

 private:
  std::shared_ptr<const Win32VersionRecordReader::Functions> functions_;
  // VerQueryValueA may write into the record (it converts texts there).
  mutable std::vector<std::uint8_t> buffer_;
};

}  // namespace

std::unique_ptr<VersionRecord> Win32VersionRecordReader::Read(const std::string& file) {
  if (!functions_) functions_ = std::make_shared<const Functions>();
  if (!functions_->size || !functions_->read || !functions_->query) return nullptr;
  DWORD handle = 0;
  const DWORD size = functions_->size(file.c_str(), &handle);
  if (size == 0) return nullptr;
  std::vector<std::uint8_t> buffer(size);
  if (!functions_->read(file.c_str(), handle, size, buffer.data())) return nullptr;
  return std::make_unique<Win32VersionRecord>(functions_, std::move(buffer));
}

std::string OwnExecutableName() {
  char name[MAX_PATH * 4] = "";
  const DWORD length = GetModuleFileNameA(nullptr, name, sizeof name);
  return std::string(name, length);
}
