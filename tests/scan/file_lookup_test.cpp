#include "scan/file_lookup.h"

#include <gtest/gtest.h>

#include "platform/memory_files.h"

namespace {

// Counts every question put to the file system about a file or folder.
class WatchedFiles : public MemoryFileSystem {
 public:
  bool FileExists(const std::string& path) override {
    ++asked;
    return MemoryFileSystem::FileExists(path);
  }
  bool DirectoryExists(const std::string& path) override {
    ++asked;
    return MemoryFileSystem::DirectoryExists(path);
  }
  std::optional<std::string> SearchPath(const std::string& name) override {
    ++asked;
    return MemoryFileSystem::SearchPath(name);
  }
  DriveKind KindOfDrive(char letter) override {
    ++drive_questions;
    return MemoryFileSystem::KindOfDrive(letter);
  }
  int asked = 0;
  int drive_questions = 0;
};

TEST(FileLookupTest, SharesAndDrivesThatMayBeAwayAreNeverLookedUp) {
  WatchedFiles files;
  files.SetDriveKind('E', DriveKind::kRemovable);
  files.SetDriveKind('F', DriveKind::kOptical);
  files.SetDriveKind('N', DriveKind::kNetwork);
  files.SetDriveKind('R', DriveKind::kRamDisk);
  FileLookup lookup(files);
  for (const char* name : {"\\\\server\\share\\tool.exe", "//server/share/tool.exe", "\\\\?\\C:\\gone.exe",
                           "E:\\tool.exe", "f:\\setup.exe", "N:\\Apps\\tool.exe", "R:\\tmp.exe", "Q:\\Tools\\tool.exe"}) {
    EXPECT_EQ(lookup.Search(name), Presence::kCannotTell) << name;
    EXPECT_EQ(lookup.Folder(name), Presence::kCannotTell) << name;
  }
  EXPECT_EQ(files.asked, 0);
  EXPECT_EQ(lookup.Search("C:\\gone.exe"), Presence::kMissing) << "a fixed drive is judged";
  EXPECT_EQ(lookup.Search("gone.exe"), Presence::kMissing);
  EXPECT_EQ(lookup.Folder("C:\\Gone"), Presence::kMissing);
  EXPECT_EQ(lookup.Folder("C:\\WINDOWS"), Presence::kFound);
}

TEST(FileLookupTest, EachNameAndEachDriveIsAskedOncePerScan) {
  WatchedFiles files;
  files.AddFile("C:\\App\\app.exe");
  FileLookup lookup(files);
  EXPECT_EQ(lookup.Search("C:\\App\\app.exe"), Presence::kFound);
  EXPECT_EQ(lookup.Search("C:\\App\\app.exe"), Presence::kFound);
  EXPECT_EQ(lookup.Search("c:\\gone.exe"), Presence::kMissing);
  EXPECT_EQ(files.asked, 2);
  EXPECT_EQ(files.drive_questions, 1);
  files.DeleteFile("C:\\App\\app.exe");
  lookup.Reset();
  EXPECT_EQ(lookup.Search("C:\\App\\app.exe"), Presence::kMissing);
}

class BothViewsTest : public testing::TestWithParam<bool> {
 protected:
  BothViewsTest() {
    files.SetSixtyFourBitWindows(GetParam());
    files.AddFile("C:\\WINDOWS\\System32\\native.dll");
    files.AddFile("C:\\WINDOWS\\SysWOW64\\wow.dll");
    files.AddFolder("C:\\WINDOWS\\System32\\NativeFolder");
    files.AddFolder("C:\\WINDOWS\\SysWOW64\\WowFolder");
  }
  MemoryFileSystem files;
  FileLookup lookup{files};
};

TEST_P(BothViewsTest, AFileUnderSystem32IsMissingOnlyWhenNeitherFolderHasIt) {
  EXPECT_EQ(lookup.Search("C:\\Windows\\System32\\native.dll"), Presence::kFound);
  EXPECT_EQ(lookup.Search("c:\\windows\\system32\\wow.dll"), Presence::kFound);
  EXPECT_EQ(lookup.Search("C:\\WINDOWS\\System32\\gone.dll"), Presence::kMissing);
  EXPECT_EQ(lookup.Search("native.dll"), Presence::kFound) << "a bare name, by the search order";
  EXPECT_EQ(lookup.Search("wow.dll"), Presence::kFound);
  EXPECT_EQ(lookup.Folder("C:\\WINDOWS\\System32\\NativeFolder"), Presence::kFound);
  EXPECT_EQ(lookup.Folder("C:\\WINDOWS\\System32\\WowFolder"), Presence::kFound);
  EXPECT_EQ(lookup.Search("C:\\WINDOWS\\System32x\\wow.dll"), Presence::kMissing);
  EXPECT_EQ(lookup.Search("C:\\Other\\System32\\wow.dll"), Presence::kMissing);
}

INSTANTIATE_TEST_SUITE_P(ProgramWidth, BothViewsTest, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                           return info.param ? "ThirtyTwoBit" : "SixtyFourBit";
                         });

TEST(FileLookupTest, WithOneViewTheSystemFolderIsTheOnlyOne) {
  MemoryFileSystem files;
  files.AddFile("C:\\WINDOWS\\SysWOW64\\wow.dll");
  FileLookup lookup(files);
  EXPECT_EQ(lookup.Search("C:\\WINDOWS\\System32\\wow.dll"), Presence::kMissing);
  EXPECT_EQ(lookup.Search("wow.dll"), Presence::kMissing);
}

}  // namespace
