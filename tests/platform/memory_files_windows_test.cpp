// The in-memory file system told to behave like 64-bit Windows: two system
// folders, redirected for a 32-bit program; and the kinds of drives.
#include <gtest/gtest.h>

#include "platform/file_presence.h"
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

TEST(MemoryFilesWindowsTest, EachLookUpErrorAnswersAsTheSystemsDoes) {
  MemoryFileSystem files;
  files.AddFile("C:\\Denied\\app.exe");
  files.AddFile("C:\\pagefile.sys");
  files.AddFile("C:\\Away\\x.exe");
  files.SetLookupError("C:\\Denied", file_error::kAccessDenied);
  files.SetLookupError("C:\\pagefile.sys", file_error::kSharingViolation);
  files.SetLookupError("C:\\Away", file_error::kNotReady);
  EXPECT_EQ(files.EntryPresence("C:\\Denied\\app.exe"), Presence::kCannotTell) << "no traverse";
  EXPECT_EQ(files.EntryPresence("C:\\Denied\\gone.exe"), Presence::kCannotTell);
  EXPECT_EQ(files.FolderPresence("C:\\Denied\\Sub"), Presence::kCannotTell);
  EXPECT_EQ(files.EntryPresence("C:\\pagefile.sys"), Presence::kFound) << "in use, found by its listing";
  EXPECT_EQ(files.EntryPresence("C:\\Away\\x.exe"), Presence::kCannotTell);
  files.SetLookupError("C:\\Denied", 0);
  EXPECT_EQ(files.EntryPresence("C:\\Denied\\app.exe"), Presence::kFound);
  EXPECT_EQ(files.EntryPresence("C:\\Denied\\gone.exe"), Presence::kMissing);
  EXPECT_EQ(files.EntryPresence("\\\\server\\share\\x.exe"), Presence::kCannotTell);
  const std::string deep = "C:\\" + std::string(200, 'a') + "\\" + std::string(200, 'b');
  files.AddFile(deep);
  EXPECT_EQ(files.EntryPresence(deep), Presence::kFound);
  EXPECT_EQ(files.EntryPresence(deep + "\\c"), Presence::kMissing)
      << "no length limit";
}

TEST(FilePresenceTest, OnlyNotFoundErrorsMeanMissing) {
  const auto never = []() -> EntryProbe { ADD_FAILURE() << "listed"; return {}; };
  EXPECT_EQ(JudgeEntry({file_error::kFileNotFound}, never, false), Presence::kMissing);
  EXPECT_EQ(JudgeEntry({file_error::kPathNotFound}, never, true), Presence::kMissing);
  for (unsigned long error : {file_error::kAccessDenied, file_error::kNotReady, file_error::kBadNetPath,
                              file_error::kInvalidName, file_error::kFileNameTooLong, 1234ul})
    EXPECT_EQ(JudgeEntry({error}, never, false), Presence::kCannotTell) << error;
  EXPECT_EQ(JudgeEntry({0, true}, never, false), Presence::kFound);
  EXPECT_EQ(JudgeEntry({0, false}, never, true), Presence::kMissing);
  const auto listed = [](EntryProbe answer) { return [answer] { return answer; }; };
  EXPECT_EQ(JudgeEntry({file_error::kSharingViolation}, listed({0, false}), false), Presence::kFound);
  EXPECT_EQ(JudgeEntry({file_error::kSharingViolation}, listed({file_error::kAccessDenied}), false),
            Presence::kCannotTell);
  EXPECT_EQ(JudgeEntry({file_error::kSharingViolation}, listed({file_error::kFileNotFound}), false),
            Presence::kMissing);
}

}  // namespace
