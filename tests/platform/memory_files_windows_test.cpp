// The in-memory file system told to behave like 64-bit Windows: two system
// folders, redirected for a 32-bit program; and the kinds of drives.
#include <gtest/gtest.h>

#include "platform/memory_files.h"

namespace {

TEST(MemoryFilesWindowsTest, AThirtyTwoBitProgramsSystem32IsSysWow64AndSysnativeTheNativeOne) {
  MemoryFileSystem files;
  files.SetSixtyFourBitWindows(true);
  files.AddFile("C:\\WINDOWS\\System32\\native.dll");
  files.AddFile("C:\\WINDOWS\\SysWOW64\\wow.dll");
  EXPECT_FALSE(files.FileExists("C:\\Windows\\system32\\native.dll"));
  EXPECT_TRUE(files.FileExists("C:\\Windows\\system32\\wow.dll"));
  EXPECT_TRUE(files.FileExists("C:\\Windows\\Sysnative\\native.dll"));
  EXPECT_TRUE(files.SearchPath("wow.dll").has_value()) << "the search order's system folder is the 32-bit one";
  EXPECT_FALSE(files.SearchPath("native.dll").has_value());
  EXPECT_TRUE(files.DirectoryExists("C:\\WINDOWS\\Sysnative"));
  const std::optional<SystemFolderViews> views = files.SystemFolders();
  ASSERT_TRUE(views.has_value());
  EXPECT_EQ(views->native, "C:\\WINDOWS\\Sysnative");
  EXPECT_EQ(views->wow64, "C:\\WINDOWS\\SysWOW64");
}

TEST(MemoryFilesWindowsTest, ASixtyFourBitProgramSeesTheFoldersAsTheyAre) {
  MemoryFileSystem files;
  files.SetSixtyFourBitWindows(false);
  files.AddFile("C:\\WINDOWS\\System32\\native.dll");
  EXPECT_TRUE(files.FileExists("C:\\WINDOWS\\System32\\native.dll"));
  EXPECT_FALSE(files.DirectoryExists("C:\\WINDOWS\\Sysnative"));
  EXPECT_EQ(files.SystemFolders()->native, "C:\\WINDOWS\\System32");
  EXPECT_FALSE(MemoryFileSystem().SystemFolders().has_value()) << "one view unless told";
}

TEST(MemoryFilesWindowsTest, ADriveIsFixedWhenItHoldsAnythingUnlessToldOtherwise) {
  MemoryFileSystem files;
  files.AddFile("D:\\x.txt");
  files.SetDriveKind('e', DriveKind::kOptical);
  EXPECT_EQ(files.KindOfDrive('C'), DriveKind::kFixed);
  EXPECT_EQ(files.KindOfDrive('d'), DriveKind::kFixed);
  EXPECT_EQ(files.KindOfDrive('E'), DriveKind::kOptical);
  EXPECT_EQ(files.KindOfDrive('Q'), DriveKind::kAbsent);
}

}  // namespace
