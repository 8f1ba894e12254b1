#include <windows.h>
// files.h names two members like these macros.
#undef SearchPath
#undef DeleteFile

#include <cstdio>
#include <map>

#include "platform/files_contract.h"
#include "platform/win32/files_win32.h"
#include "support/temp_folder_win32.h"

namespace {

std::string EnvironmentPath() {
  const DWORD size = GetEnvironmentVariableA("PATH", nullptr, 0);
  std::string value(size, '\0');
  value.resize(GetEnvironmentVariableA("PATH", value.data(), size));
  return value;
}

std::string CurrentDirectory() {
  std::string value(GetCurrentDirectoryA(0, nullptr), '\0');
  value.resize(GetCurrentDirectoryA(static_cast<DWORD>(value.size()), value.data()));
  return value;
}

// The real file system around a temporary folder; the current folder and
// PATH of the process are put back afterwards.
class Win32World : public FilesWorld {
 public:
  Win32World() : sandbox_("tarnel-files"), saved_path_(EnvironmentPath()), saved_current_(CurrentDirectory()) {}
  ~Win32World() override {
    for (auto& [path, handle] : holds_) CloseHandle(handle);
    SetCurrentDirectoryA(saved_current_.c_str());
    SetEnvironmentVariableA("PATH", saved_path_.c_str());
  }

  FileSystem& Files() override { return files_; }
  std::string Sandbox() override { return sandbox_.Path(); }
  void MakeFolder(const std::string& path) override {
    for (std::size_t end = path.find('\\', Sandbox().size()); end != std::string::npos;
         end = path.find('\\', end + 1))
      CreateDirectoryA(path.substr(0, end).c_str(), nullptr);
    CreateDirectoryA(path.c_str(), nullptr);
  }
  void PutFile(const std::string& path, const std::string& content) override {
    MakeFolder(path.substr(0, path.rfind('\\')));
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    std::fwrite(content.data(), 1, content.size(), file);
    std::fclose(file);
  }
  std::optional<std::string> Content(const std::string& path) override {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return std::nullopt;
    std::string content;
    char chunk[4096];
    for (std::size_t read; (read = std::fread(chunk, 1, sizeof chunk, file)) > 0;) content.append(chunk, read);
    std::fclose(file);
    return content;
  }
  std::vector<std::string> FileNamesIn(const std::string& folder) override {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const std::string pattern = folder.ends_with('\\') ? folder + "*" : folder + "\\*";
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
  }
  void SetCurrentFolder(const std::string& folder) override { SetCurrentDirectoryA(folder.c_str()); }
  void AddPathFolder(const std::string& folder) override {
    SetEnvironmentVariableA("PATH", (folder + ";" + EnvironmentPath()).c_str());
  }
  std::string FileInExeFolder() override {
    char module[MAX_PATH];
    const std::string path(module, GetModuleFileNameA(nullptr, module, MAX_PATH));
    return path.substr(path.rfind('\\') + 1);
  }
  // Open for reading without FILE_SHARE_DELETE: neither a rename over the
  // file nor its deletion can succeed while the handle lives.
  void Hold(const std::string& path) override {
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE) << path;
    holds_[path] = handle;
  }
  void Release(const std::string& path) override {
    CloseHandle(holds_.at(path));
    holds_.erase(path);
  }

 private:
  Win32FileSystem files_;
  ScopedTempFolder sandbox_;
  std::string saved_path_;
  std::string saved_current_;
  std::map<std::string, HANDLE> holds_;
};

INSTANTIATE_TEST_SUITE_P(Win32, FilesContract,
                         testing::Values(FilesWorldKind{"Win32", [] {
                           return std::unique_ptr<FilesWorld>(std::make_unique<Win32World>());
                         }}),
                         FilesWorldName);

TEST(Win32FileSystemTest, OverlongNamesAreNotFoundAndOverflowNothing) {
  Win32FileSystem files;
  for (std::size_t length : {259u, 260u, 261u, 1000u, 40000u}) {
    const std::string name(length, 'n');
    EXPECT_EQ(files.SearchPath(name), std::nullopt) << length;
    EXPECT_EQ(files.SearchPath("C:\\" + name), std::nullopt) << length;
    EXPECT_FALSE(files.FileExists(name)) << length;
  }
}

// Folders and a file below the sandbox whose full paths pass MAX_PATH,
// made through the wide functions.
std::string MakeLongPath(const std::string& sandbox, std::size_t length) {
  std::string path = sandbox.substr(0, sandbox.size() - 1);
  while (path.size() + 60 < length) {
    path += "\\" + std::string(50, 'd');
    const std::wstring wide(path.begin(), path.end());
    EXPECT_TRUE(CreateDirectoryW((L"\\\\?\\" + wide).c_str(), nullptr)) << GetLastError();
  }
  path += "\\" + std::string(length - path.size() - 1, 'f');
  const std::wstring wide(path.begin(), path.end());
  HANDLE file = CreateFileW((L"\\\\?\\" + wide).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  EXPECT_NE(file, INVALID_HANDLE_VALUE) << GetLastError();
  CloseHandle(file);
  return path;
}

TEST(Win32FileSystemTest, PathsOfMaxPathOrMoreAreLookedUpWhole) {
  ScopedTempFolder sandbox("tarnel-long");
  Win32FileSystem files;
  const std::string file = MakeLongPath(sandbox.Path(), 288);
  ASSERT_EQ(file.size(), 288u);
  const std::string folder = file.substr(0, file.rfind('\\'));
  EXPECT_EQ(files.EntryPresence(file), Presence::kFound);
  EXPECT_EQ(files.FolderPresence(folder), Presence::kFound);
  EXPECT_EQ(files.FolderPresence(file), Presence::kMissing);
  EXPECT_EQ(files.EntryPresence(file + "x"), Presence::kMissing);
  EXPECT_EQ(files.EntryPresence(folder + "\\gone\\" + std::string(200, 'g')), Presence::kMissing);
  // Nothing of it is left for the sandbox's removal, which uses short names.
  std::wstring wide(file.begin(), file.end());
  DeleteFileW((L"\\\\?\\" + wide).c_str());
  for (std::string each = folder; each.size() + 1 > sandbox.Path().size(); each = each.substr(0, each.rfind('\\'))) {
    wide.assign(each.begin(), each.end());
    RemoveDirectoryW((L"\\\\?\\" + wide).c_str());
  }
}

TEST(Win32FileSystemTest, EnvironmentVariablesAreTheProcesssOwn) {
  Win32FileSystem files;
  SetEnvironmentVariableA("TARNEL_TEST_VARIABLE", "C:\\x y");
  EXPECT_EQ(files.EnvironmentVariable("tarnel_test_variable"), "C:\\x y");
  SetEnvironmentVariableA("TARNEL_TEST_VARIABLE", nullptr);
  EXPECT_EQ(files.EnvironmentVariable("TARNEL_TEST_VARIABLE"), std::nullopt);
  EXPECT_EQ(files.EnvironmentVariable("SystemRoot").has_value(), true);
}

TEST(Win32FileSystemTest, FailedRenameRemovesItsTemporaryFile) {
  // The target is a folder: the temporary file is written, the rename fails.
  ScopedTempFolder sandbox("tarnel-rename");
  const std::string target = sandbox.Path() + "taken";
  ASSERT_TRUE(CreateDirectoryA(target.c_str(), nullptr));
  Win32FileSystem files;
  EXPECT_FALSE(files.WriteFileAtomic(target, std::string(100000, 'x')));
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((sandbox.Path() + "*.tmp").c_str(), &found);
  EXPECT_EQ(search, INVALID_HANDLE_VALUE) << found.cFileName;
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

}  // namespace
