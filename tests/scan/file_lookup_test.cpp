#include "scan/file_lookup.h"

#include <gtest/gtest.h>

#include "platform/file_presence.h"
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
  Presence EntryPresence(const std::string& path) override {
    ++asked;
    return MemoryFileSystem::EntryPresence(path);
  }
  Presence FolderPresence(const std::string& path) override {
    ++asked;
    return MemoryFileSystem::FolderPresence(path);
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

TEST(FileLookupTest, RelativePathsAreNeverLookedUp) {
  WatchedFiles files;
  files.AddFile("C:\\bin\\app.exe");
  FileLookup lookup(files);
  for (const char* name : {"bin\\app.exe", "..\\bin\\app.exe", ".\\app.exe", "\\bin\\app.exe", "C:bin\\app.exe",
                           "C:app.exe", "C:"}) {
    EXPECT_EQ(lookup.Search(name), Presence::kCannotTell) << name;
    EXPECT_EQ(lookup.Folder(name), Presence::kCannotTell) << name;
  }
  EXPECT_EQ(lookup.Folder("bin"), Presence::kCannotTell) << "a folder has no search order";
  EXPECT_EQ(files.asked, 0);
}

TEST(FileLookupTest, WhatTheSystemWillNotShowCannotBeTold) {
  MemoryFileSystem files;
  files.AddFile("C:\\Denied\\app.exe");
  files.AddFile("C:\\pagefile.sys");
  files.SetLookupError("C:\\Denied", file_error::kAccessDenied);
  files.SetLookupError("C:\\pagefile.sys", file_error::kSharingViolation);
  FileLookup lookup(files);
  EXPECT_EQ(lookup.Search("C:\\Denied\\app.exe"), Presence::kCannotTell);
  EXPECT_EQ(lookup.Search("C:\\Denied\\gone.exe"), Presence::kCannotTell);
  EXPECT_EQ(lookup.Folder("C:\\Denied\\Sub"), Presence::kCannotTell);
  EXPECT_EQ(lookup.Search("C:\\pagefile.sys"), Presence::kFound);
  EXPECT_EQ(lookup.Search("C:\\x\"y.exe"), Presence::kCannotTell) << "a name the file system rejects";
  const std::string long_path = "C:\\" + std::string(150, 'a') + "\\" + std::string(150, 'b') + ".exe";
  files.AddFile(long_path);
  EXPECT_EQ(lookup.Search(long_path), Presence::kFound);
  EXPECT_EQ(lookup.Folder(long_path.substr(0, 154)), Presence::kFound);
  EXPECT_EQ(lookup.Search(long_path + "x"), Presence::kMissing);
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

TEST_P(BothViewsTest, SysnativeIsTheNativeSystemFolder) {
  EXPECT_EQ(lookup.Search("C:\\Windows\\Sysnative\\native.dll"), Presence::kFound);
  EXPECT_EQ(lookup.Search("C:\\Windows\\Sysnative\\wow.dll"), Presence::kMissing) << "one view only";
  EXPECT_EQ(lookup.Folder("C:\\Windows\\Sysnative\\NativeFolder"), Presence::kFound);
  EXPECT_EQ(lookup.Folder("C:\\Windows\\Sysnative"), Presence::kFound);
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
