#include <windows.h>
// files.h names two members like these macros.
#undef SearchPath
#undef DeleteFile

#include <algorithm>
#include <atomic>
#include <cstdio>

#include "platform/file_presence.h"
#include "platform/win32/code_page_win32.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/wow64_win32.h"

namespace {

class UniqueHandle {
 public:
  explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Close(); }

  bool IsValid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }
  bool Close() {
    if (!IsValid()) return true;
    const bool closed = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
};

// The ANSI functions take C strings: a name with a zero byte in it would
// silently address another file, so such a name addresses nothing.
bool IsUsableName(const std::string& path) {
  return !path.empty() && path.find('\0') == std::string::npos;
}

DWORD AttributesOf(const std::string& path) {
  return IsUsableName(path) ? GetFileAttributesA(path.c_str()) : INVALID_FILE_ATTRIBUTES;
}

// The form in which the wide functions take a path of MAX_PATH characters
// or more, which the ANSI ones cut: full, with the "\\?\" prefix. None
// when the name does not convert.
std::optional<std::wstring> LongPathForm(const std::string& path) {
  const std::optional<std::u16string> wide = Win32CodePage::Program().ToWide(path);
  if (!wide) return std::nullopt;
  const std::wstring name(wide->begin(), wide->end());
  std::wstring full(name.size() + MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetFullPathNameW(name.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0) return std::nullopt;
    if (length < full.size()) {
      full.resize(length);
      break;
    }
    full.resize(length);
  }
  // A share would need another prefix; shares are never looked up here.
  if (full.starts_with(L"\\\\")) return std::nullopt;
  return L"\\\\?\\" + full;
}

EntryProbe ProbeOf(DWORD attributes) {
  if (attributes == INVALID_FILE_ATTRIBUTES) return {GetLastError()};
  return {0, (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0};
}

// The attribute read (listing false) or the folder listing of a path.
EntryProbe Probe(const std::string& path, bool listing) {
  if (!IsUsableName(path)) return {file_error::kInvalidName};
  if (path.size() < MAX_PATH) {
    if (!listing) return ProbeOf(GetFileAttributesA(path.c_str()));
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return {GetLastError()};
    FindClose(search);
    return ProbeOf(found.dwFileAttributes);
  }
  const std::optional<std::wstring> wide = LongPathForm(path);
  if (!wide) return {file_error::kInvalidName};
  if (!listing) return ProbeOf(GetFileAttributesW(wide->c_str()));
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW(wide->c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return {GetLastError()};
  FindClose(search);
  return ProbeOf(found.dwFileAttributes);
}

Presence Judge(const std::string& path, bool folder_wanted) {
  return JudgeEntry(Probe(path, false), [&] { return Probe(path, true); }, folder_wanted);
}

// Calls fill(buffer, size), which returns the length written or, when the
// buffer is too small, the size needed; grows the buffer until it fits.
template <typename Fill>
std::string GrowingBuffer(Fill fill) {
  std::string buffer(MAX_PATH, '\0');
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length = fill(buffer.data(), size);
    if (length == 0) return {};
    if (length < size) return buffer.substr(0, length);
    buffer.resize(static_cast<std::size_t>(length) > buffer.size() ? length : buffer.size() * 2);
  }
}

bool WriteAll(HANDLE file, const std::string& content) {
  std::size_t done = 0;
  while (done < content.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1u << 20));
    DWORD written = 0;
    if (!::WriteFile(file, content.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

// A name beside the target that no other writer uses.
std::string TemporaryNameFor(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  char suffix[40];
  std::snprintf(suffix, sizeof suffix, ".%lx-%x.tmp", static_cast<unsigned long>(GetCurrentProcessId()),
                counter.fetch_add(1));
  return path + suffix;
}

// The content goes to a temporary file beside the path, flushed, then is
// renamed to the path, the rename written through before this returns. A
// temporary that could not take the name is deleted.
bool WriteThroughTemporary(const std::string& path, const std::string& content, DWORD move_flags) {
  if (!IsUsableName(path)) return false;
  const std::string temporary = TemporaryNameFor(path);
  UniqueHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsValid()) return false;
  const bool written = WriteAll(file.Get(), content) && FlushFileBuffers(file.Get()) && file.Close();
  file.Close();
  if (written && MoveFileExA(temporary.c_str(), path.c_str(), move_flags | MOVEFILE_WRITE_THROUGH)) return true;
  DeleteFileA(temporary.c_str());
  return false;
}

}  // namespace

bool Win32FileSystem::FileExists(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::DirectoryExists(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

Presence Win32FileSystem::EntryPresence(const std::string& path) { return Judge(path, false); }
Presence Win32FileSystem::FolderPresence(const std::string& path) { return Judge(path, true); }

std::optional<std::string> Win32FileSystem::EnvironmentVariable(const std::string& name) {
  if (!IsUsableName(name)) return std::nullopt;
  SetLastError(ERROR_SUCCESS);
  std::string value = GrowingBuffer(
      [&](char* buffer, DWORD size) { return GetEnvironmentVariableA(name.c_str(), buffer, size); });
  if (value.empty() && GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
  return value;
}

std::optional<std::string> Win32FileSystem::SearchPath(const std::string& name) {
  if (!IsUsableName(name)) return std::nullopt;
  std::string found = GrowingBuffer([&](char* buffer, DWORD size) {
    return SearchPathA(nullptr, name.c_str(), nullptr, size, buffer, nullptr);
  });
  if (found.empty()) return std::nullopt;
  return found;
}

std::string Win32FileSystem::ExeFolder() {
  // GetModuleFileNameA cuts the name to the buffer and returns its size then.
  std::string buffer(MAX_PATH, '\0');
  DWORD length = 0;
  for (;;) {
    length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) break;
    buffer.resize(buffer.size() * 2);
  }
  buffer.resize(length);
  return buffer.substr(0, buffer.rfind('\\') + 1);
}

std::string Win32FileSystem::TempFolder() {
  return GrowingBuffer([](char* buffer, DWORD size) { return GetTempPathA(size, buffer); });
}

std::string Win32FileSystem::CurrentFolder() const {
  std::string folder = GrowingBuffer([](char* buffer, DWORD size) { return GetCurrentDirectoryA(size, buffer); });
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return folder;
}

std::optional<std::string> Win32FileSystem::ReadFile(const std::string& path) {
  if (!IsUsableName(path)) return std::nullopt;
  UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsValid()) return std::nullopt;
  std::string content;
  char chunk[64 * 1024];
  for (;;) {
    DWORD read = 0;
    if (!::ReadFile(file.Get(), chunk, sizeof chunk, &read, nullptr)) return std::nullopt;
    if (read == 0) return content;
    content.append(chunk, read);
  }
}

RegularFileRead Win32FileSystem::ReadRegularFile(const std::string& path, std::uint64_t limit) {
  const DWORD attributes = AttributesOf(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return {};
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return {RegularFileRead::Kind::kNotAFile, {}};
  UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsValid()) return {};
  // A pipe or a device reached under a file's name is no backup.
  if (GetFileType(file.Get()) != FILE_TYPE_DISK) return {RegularFileRead::Kind::kNotAFile, {}};
  RegularFileRead read{RegularFileRead::Kind::kRegular, {}};
  char chunk[64 * 1024];
  while (read.bytes.size() <= limit) {
    const DWORD wanted = static_cast<DWORD>(std::min<std::uint64_t>(sizeof chunk, limit + 1 - read.bytes.size()));
    DWORD got = 0;
    if (!::ReadFile(file.Get(), chunk, wanted, &got, nullptr)) return {};
    if (got == 0) break;
    read.bytes.append(chunk, got);
  }
  return read;
}

std::string Win32FileSystem::FullPath(const std::string& path) const {
  if (!IsUsableName(path)) return path;
  const std::string full =
      GrowingBuffer([&](char* buffer, DWORD size) { return GetFullPathNameA(path.c_str(), size, buffer, nullptr); });
  return full.empty() ? path : full;
}

std::vector<std::string> Win32FileSystem::FilesIn(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> files;
  const std::string prefix = folder.ends_with('\\') ? folder : folder + '\\';
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((prefix + pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(prefix + found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return files;
}

bool Win32FileSystem::WriteFileAtomic(const std::string& path, const std::string& content) {
  return WriteThroughTemporary(path, content, MOVEFILE_REPLACE_EXISTING);
}

bool Win32FileSystem::WriteFileNew(const std::string& path, const std::string& content) {
  // Without MOVEFILE_REPLACE_EXISTING the rename fails on a name taken at
  // any moment before it: two writers of one name cannot both succeed.
  return WriteThroughTemporary(path, content, 0);
}

bool Win32FileSystem::DeleteFile(const std::string& path) {
  return IsUsableName(path) && DeleteFileA(path.c_str()) != 0;
}

DriveKind Win32FileSystem::KindOfDrive(char letter) {
  const char root[] = {letter, ':', '\\', '\0'};
  switch (GetDriveTypeA(root)) {
    case DRIVE_FIXED: return DriveKind::kFixed;
    case DRIVE_REMOVABLE: return DriveKind::kRemovable;
    case DRIVE_CDROM: return DriveKind::kOptical;
    case DRIVE_REMOTE: return DriveKind::kNetwork;
    case DRIVE_RAMDISK: return DriveKind::kRamDisk;
    default: return DriveKind::kAbsent;
  }
}

std::optional<SystemFolderViews> Win32FileSystem::SystemFolders() {
  if (!SystemHasTwoViews()) return std::nullopt;
  SystemFolderViews views;
  views.windows = GrowingBuffer([](char* buffer, DWORD size) { return GetSystemWindowsDirectoryA(buffer, size); });
  views.wow64 = GrowingBuffer([](char* buffer, DWORD size) { return GetSystemWow64DirectoryA(buffer, size); });
  if (views.windows.empty() || views.wow64.empty()) return std::nullopt;
  // A 32-bit program's "System32" is the 32-bit folder; the native one it
  // reaches only as "Sysnative".
  views.native = IsWow64Program()
                     ? views.windows + "\\Sysnative"
                     : GrowingBuffer([](char* buffer, DWORD size) { return GetSystemDirectoryA(buffer, size); });
  return views;
}
