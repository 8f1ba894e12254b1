#include "app/win32/version_record_win32.h"

#include <windows.h>

#include <cstring>

namespace {

class Win32VersionRecord : public VersionRecord {
 public:
  explicit Win32VersionRecord(std::vector<std::uint8_t> buffer) : buffer_(std::move(buffer)) {}

  std::optional<std::vector<std::uint8_t>> Query(const std::string& path) const override {
    void* found = nullptr;
    UINT length = 0;
    // VerQueryValueA may write into the record (it converts texts there).
    if (!VerQueryValueA(const_cast<std::uint8_t*>(buffer_.data()), path.c_str(), &found, &length) || !found)
      return std::nullopt;
    const auto* bytes = static_cast<const std::uint8_t*>(found);
    // Texts are counted in characters including their zero; blocks in bytes.
    const bool text = path.rfind("\\StringFileInfo\\", 0) == 0;
    std::size_t size = text ? strnlen(static_cast<const char*>(found), length) : length;
    return std::vector<std::uint8_t>(bytes, bytes + size);
  }

 private:
  std::vector<std::uint8_t> buffer_;
};

}  // namespace

std::unique_ptr<VersionRecord> Win32VersionRecordReader::Read(const std::string& file) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(file.c_str(), &handle);
  if (size == 0) return nullptr;
  std::vector<std::uint8_t> buffer(size);
  if (!GetFileVersionInfoA(file.c_str(), handle, size, buffer.data())) return nullptr;
  return std::make_unique<Win32VersionRecord>(std::move(buffer));
}

std::string OwnExecutableName() {
  char name[MAX_PATH * 4] = "";
  const DWORD length = GetModuleFileNameA(nullptr, name, sizeof name);
  return std::string(name, length);
}
