#include "platform/files_contract.h"

#include <algorithm>
#include <map>

#include "platform/case_fold.h"
#include "platform/memory_files.h"

namespace {

class MemoryWorld : public FilesWorld {
 public:
  MemoryWorld() {
    files_.AddFolder(Sandbox());
    files_.AddFile(files_.ExeFolder() + "Tarnel.exe", "MZ");
  }
  FileSystem& Files() override { return files_; }
  std::string Sandbox() override { return "C:\\Sandbox\\"; }
  void MakeFolder(const std::string& path) override { files_.AddFolder(path); }
  void PutFile(const std::string& path, const std::string& content) override { files_.AddFile(path, content); }
  std::optional<std::string> Content(const std::string& path) override { return files_.ReadFile(path); }
  std::vector<std::string> FileNamesIn(const std::string& folder) override { return files_.FileNamesIn(folder); }
  void SetCurrentFolder(const std::string& folder) override { files_.SetCurrentFolder(folder); }
  void AddPathFolder(const std::string& folder) override {
    path_.push_back(folder);
    files_.SetPathFolders(path_);
  }
  std::string FileInExeFolder() override { return "Tarnel.exe"; }
  void Hold(const std::string& path) override { files_.SetLocked(path, true); }
  void Release(const std::string& path) override { files_.SetLocked(path, false); }

 private:
  MemoryFileSystem files_;
  std::vector<std::string> path_;
};

bool SamePath(const std::optional<std::string>& found, const std::string& expected) {
  return found.has_value() && EqualsNoCase(*found, expected);
}

TEST_P(FilesContract, FilesAndFoldersAreToldApart) {
  const std::string file = Sandbox() + "a.txt";
  const std::string folder = Sandbox() + "Dir";
  World().PutFile(file, "x");
  World().MakeFolder(folder);
  EXPECT_TRUE(Files().FileExists(file));
  EXPECT_TRUE(Files().FileExists(Sandbox() + "A.TXT"));
  EXPECT_FALSE(Files().DirectoryExists(file));
  EXPECT_TRUE(Files().DirectoryExists(folder));
  EXPECT_TRUE(Files().DirectoryExists(folder + "\\"));
  EXPECT_FALSE(Files().FileExists(folder));
  EXPECT_FALSE(Files().FileExists(Sandbox() + "missing.txt"));
  EXPECT_FALSE(Files().DirectoryExists(Sandbox() + "missing"));
  EXPECT_FALSE(Files().FileExists(""));
  // A zero byte would make the name another one: it names nothing.
  EXPECT_FALSE(Files().FileExists(file + std::string(1, '\0') + "more"));
}

TEST_P(FilesContract, PresenceIsMissingOnlyWhenTheSystemSaysNothingIsThere) {
  const std::string file = Sandbox() + "a.txt";
  const std::string folder = Sandbox() + "Dir";
  World().PutFile(file, "x");
  World().MakeFolder(folder);
  EXPECT_EQ(Files().EntryPresence(file), Presence::kFound);
  EXPECT_EQ(Files().EntryPresence(folder), Presence::kFound);
  EXPECT_EQ(Files().FolderPresence(folder), Presence::kFound);
  EXPECT_EQ(Files().FolderPresence(file), Presence::kMissing) << "a file is no folder";
  EXPECT_EQ(Files().EntryPresence(Sandbox() + "gone.txt"), Presence::kMissing) << "file not found";
  EXPECT_EQ(Files().EntryPresence(Sandbox() + "Gone\\x.txt"), Presence::kMissing) << "path not found";
  EXPECT_EQ(Files().FolderPresence(Sandbox() + "Gone"), Presence::kMissing);
  for (const char* rejected : {"a\"b.txt", "a|b.txt", "a<b", "a?b"})
    EXPECT_EQ(Files().EntryPresence(Sandbox() + rejected), Presence::kCannotTell) << rejected;
  EXPECT_EQ(Files().EntryPresence(file + std::string(1, '\0')), Presence::kCannotTell);
}

TEST_P(FilesContract, ReadFileReturnsTheBytesAsTheyAre) {
  const std::string bytes("line\r\nzero\0byte\xFF\n", 17);
  World().PutFile(Sandbox() + "data.bin", bytes);
  World().MakeFolder(Sandbox() + "folder");
  EXPECT_EQ(Files().ReadFile(Sandbox() + "data.bin"), bytes);
  EXPECT_EQ(Files().ReadFile(Sandbox() + "missing.bin"), std::nullopt);
  EXPECT_EQ(Files().ReadFile(Sandbox() + "folder"), std::nullopt);
}

TEST_P(FilesContract, ExeAndTempFoldersEndWithABackslashAndExist) {
  for (const std::string& folder : {Files().ExeFolder(), Files().TempFolder()}) {
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_TRUE(Files().DirectoryExists(folder)) << folder;
  }
  EXPECT_TRUE(Files().FileExists(Files().ExeFolder() + World().FileInExeFolder()));
}

TEST_P(FilesContract, SearchPathFindsBareNamesAlongTheSearchOrder) {
  const std::string bin = Sandbox() + "bin";
  World().MakeFolder(bin + "\\tools");
  World().PutFile(bin + "\\tool_x1.exe", "MZ");
  World().AddPathFolder(bin);
  EXPECT_TRUE(SamePath(Files().SearchPath(World().FileInExeFolder()),
                       Files().ExeFolder() + World().FileInExeFolder()));
  EXPECT_TRUE(SamePath(Files().SearchPath("tool_x1.exe"), bin + "\\tool_x1.exe"));
  EXPECT_TRUE(SamePath(Files().SearchPath("TOOL_X1.EXE"), bin + "\\TOOL_X1.EXE"));
  // Trailing dots and blanks of the name do not count.
  EXPECT_TRUE(SamePath(Files().SearchPath("tool_x1.exe. "), bin + "\\tool_x1.exe"));
  // A folder is found like a file.
  EXPECT_TRUE(SamePath(Files().SearchPath("tools"), bin + "\\tools"));
  EXPECT_EQ(Files().SearchPath("tool_x2.exe"), std::nullopt);
  EXPECT_EQ(Files().SearchPath(""), std::nullopt);
}

TEST_P(FilesContract, SearchPathTakesNamesWithADotFolderFromTheCurrentFolder) {
  const std::string current = Sandbox() + "cur";
  World().PutFile(current + "\\here.txt", "x");
  World().PutFile(Sandbox() + "bin\\sub\\only.txt", "x");
  World().MakeFolder(current + "\\sub");
  World().SetCurrentFolder(current);
  World().AddPathFolder(Sandbox() + "bin");
  EXPECT_TRUE(SamePath(Files().SearchPath("here.txt"), current + "\\here.txt"));
  EXPECT_TRUE(SamePath(Files().SearchPath(".\\here.txt"), current + "\\here.txt"));
  EXPECT_TRUE(SamePath(Files().SearchPath("..\\cur\\here.txt"), current + "\\here.txt"));
  EXPECT_EQ(Files().SearchPath(".\\only.txt"), std::nullopt);
  // Any other relative name is tried in every folder of the search order,
  // even one with a folder in it.
  EXPECT_TRUE(SamePath(Files().SearchPath("sub\\only.txt"), Sandbox() + "bin\\sub\\only.txt"));
  EXPECT_TRUE(SamePath(Files().SearchPath("sub"), current + "\\sub"));
}

TEST_P(FilesContract, SearchPathTakesAbsoluteNamesAsTheyStand) {
  World().PutFile(Sandbox() + "abs\\file.dat", "x");
  EXPECT_TRUE(SamePath(Files().SearchPath(Sandbox() + "abs\\file.dat"), Sandbox() + "abs\\file.dat"));
  EXPECT_TRUE(SamePath(Files().SearchPath(Sandbox() + "abs"), Sandbox() + "abs"));
  EXPECT_EQ(Files().SearchPath(Sandbox() + "abs\\other.dat"), std::nullopt);
  EXPECT_EQ(Files().SearchPath(Sandbox() + "abs\\file.dat" + std::string(1, '\0')), std::nullopt);
}

TEST_P(FilesContract, AtomicWriteCreatesAndReplacesAFile) {
  const std::string path = Sandbox() + "out.reg";
  ASSERT_TRUE(Files().WriteFileAtomic(path, "first version, the longer one\r\n"));
  EXPECT_EQ(World().Content(path), "first version, the longer one\r\n");
  ASSERT_TRUE(Files().WriteFileAtomic(path, "second"));
  EXPECT_EQ(World().Content(path), "second");
  ASSERT_TRUE(Files().WriteFileAtomic(path, ""));
  EXPECT_EQ(World().Content(path), "");
  EXPECT_EQ(World().FileNamesIn(Sandbox()), std::vector<std::string>{"out.reg"});
}

TEST_P(FilesContract, RelativeNamesAreWrittenInTheCurrentFolder) {
  World().MakeFolder(Sandbox() + "work");
  World().SetCurrentFolder(Sandbox() + "work");
  EXPECT_TRUE(EqualsNoCase(Files().CurrentFolder(), Sandbox() + "work\\")) << Files().CurrentFolder();
  ASSERT_TRUE(Files().WriteFileAtomic("06_12_26;09-05-09 (PM).reg", "REGEDIT4\r\n"));
  EXPECT_EQ(World().Content(Sandbox() + "work\\06_12_26;09-05-09 (PM).reg"), "REGEDIT4\r\n");
  EXPECT_TRUE(Files().FileExists("06_12_26;09-05-09 (PM).reg"));
  EXPECT_TRUE(Files().DeleteFile("06_12_26;09-05-09 (PM).reg"));
  EXPECT_TRUE(World().FileNamesIn(Sandbox() + "work").empty());
}

TEST_P(FilesContract, FailedWriteLeavesTheOldFileByteIdentical) {
  const std::string path = Sandbox() + "backup.reg";
  static constexpr char kOld[] = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\x]\r\n\"a\"=\"\xE9\"\r\n\0tail";
  const std::string old_bytes(kOld, sizeof kOld - 1);
  World().PutFile(path, old_bytes);
  World().Hold(path);
  EXPECT_FALSE(Files().WriteFileAtomic(path, "new content"));
  EXPECT_FALSE(Files().DeleteFile(path));
  World().Release(path);
  EXPECT_EQ(World().Content(path), old_bytes);
  EXPECT_EQ(World().FileNamesIn(Sandbox()), std::vector<std::string>{"backup.reg"});
  // Once the other holder lets go, the write goes through.
  EXPECT_TRUE(Files().WriteFileAtomic(path, "new content"));
  EXPECT_EQ(World().Content(path), "new content");
}

TEST_P(FilesContract, WritesFailWhereThereIsNoPlaceForTheFile) {
  World().MakeFolder(Sandbox() + "folder");
  EXPECT_FALSE(Files().WriteFileAtomic(Sandbox() + "missing\\out.reg", "x"));
  EXPECT_FALSE(Files().DirectoryExists(Sandbox() + "missing"));
  EXPECT_FALSE(Files().WriteFileAtomic(Sandbox() + "folder", "x"));
  EXPECT_TRUE(Files().DirectoryExists(Sandbox() + "folder"));
  EXPECT_FALSE(Files().WriteFileAtomic(Sandbox() + "cut" + std::string(1, '\0') + "name", "x"));
  EXPECT_TRUE(World().FileNamesIn(Sandbox()).empty());
}

TEST_P(FilesContract, DeleteFileRemovesOnlyFiles) {
  World().PutFile(Sandbox() + "gone.txt", "x");
  World().MakeFolder(Sandbox() + "kept");
  EXPECT_TRUE(Files().DeleteFile(Sandbox() + "GONE.TXT"));
  EXPECT_FALSE(Files().FileExists(Sandbox() + "gone.txt"));
  EXPECT_FALSE(Files().DeleteFile(Sandbox() + "gone.txt"));
  EXPECT_FALSE(Files().DeleteFile(Sandbox() + "kept"));
  EXPECT_TRUE(Files().DirectoryExists(Sandbox() + "kept"));
}

INSTANTIATE_TEST_SUITE_P(Memory, FilesContract,
                         testing::Values(FilesWorldKind{"Memory", [] {
                           return std::unique_ptr<FilesWorld>(std::make_unique<MemoryWorld>());
                         }}),
                         FilesWorldName);

}  // namespace
