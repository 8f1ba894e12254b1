// Files named by an offline installation's registry, found on its volume
// as Windows would find them.
#include <gtest/gtest.h>

#include "platform/offline/offline_files.h"
#include "scan/file_lookup.h"
#include "support/offline/offline_fixtures.h"

namespace {

class OfflineFilesTest : public testing::Test {
 protected:
  void SetUp() override {
    volume_.AddFile("Program Files/Vendor App/app.exe", "x");
    volume_.AddFile("WINDOWS/system32/Notepad.exe", "x");
    volume_.AddFile("WINDOWS/SysWOW64/only32.dll", "x");
    volume_.AddFile("WINDOWS/win.ini", "x");
  }
  ScratchFolder volume_;
  VolumeFiles volume_files_{volume_.Path(), 'C'};
  OfflineFileSystem files_{volume_files_, "C:\\Windows"};
};

TEST_F(OfflineFilesTest, WindowsPathsMatchTheVolumeWithoutLetterCase) {
  EXPECT_TRUE(files_.FileExists("C:\\program files\\VENDOR APP\\App.EXE"));
  EXPECT_TRUE(files_.FileExists("c:/Program Files/Vendor App/app.exe"));
  EXPECT_TRUE(files_.FileExists("C:\\Program Files\\Other\\..\\Vendor App\\.\\app.exe."));
  EXPECT_TRUE(files_.FileExists("\\Program Files\\Vendor App\\app.exe"));
  EXPECT_FALSE(files_.FileExists("C:\\Program Files\\Vendor App"));
  EXPECT_TRUE(files_.DirectoryExists("C:\\PROGRAM FILES\\vendor app\\"));
  EXPECT_FALSE(files_.FileExists("C:\\Program Files\\Vendor App\\gone.exe"));
  EXPECT_FALSE(files_.FileExists("D:\\Program Files\\Vendor App\\app.exe"));
  // Nothing above the volume's root is reached.
  EXPECT_FALSE(files_.DirectoryExists("C:\\..\\..\\etc"));
}

TEST_F(OfflineFilesTest, BareNamesAreLookedUpInTheSystemFolders) {
  EXPECT_EQ(files_.SearchPath("NOTEPAD.EXE"), "C:\\Windows\\System32\\NOTEPAD.EXE");
  EXPECT_EQ(files_.SearchPath("win.ini"), "C:\\Windows\\win.ini");
  EXPECT_EQ(files_.SearchPath("only32.dll"), "C:\\Windows\\SysWOW64\\only32.dll");
  EXPECT_EQ(files_.SearchPath("gone.exe"), std::nullopt);
  EXPECT_EQ(files_.SearchPath("C:\\Program Files"), "C:\\Program Files");
}

TEST_F(OfflineFilesTest, OtherDrivesAndSharesCannotBeTold) {
  FileLookup lookup(files_);
  EXPECT_EQ(lookup.Search("C:\\Program Files\\Vendor App\\app.exe"), Presence::kFound);
  EXPECT_EQ(lookup.Search("C:\\Program Files\\Vendor App\\gone.exe"), Presence::kMissing);
  EXPECT_EQ(lookup.Search("D:\\Program Files\\Vendor App\\gone.exe"), Presence::kCannotTell);
  EXPECT_EQ(lookup.Search("\\\\server\\share\\gone.exe"), Presence::kCannotTell);
  EXPECT_EQ(lookup.Search("\\\\?\\C:\\gone.exe"), Presence::kCannotTell);
  // Both views of the system folder count.
  EXPECT_EQ(lookup.Search("C:\\Windows\\System32\\only32.dll"), Presence::kFound);
}

TEST_F(OfflineFilesTest, TheProgramsOwnFilesAreLinuxFiles) {
  const std::string results = volume_.Path() + "/results.reg";
  EXPECT_TRUE(files_.WriteFileAtomic(results, "REGEDIT4\r\n"));
  EXPECT_EQ(files_.ReadFile(results), "REGEDIT4\r\n");
  EXPECT_TRUE(files_.FileExists(results));
  EXPECT_TRUE(files_.DeleteFile(results));
  EXPECT_FALSE(files_.FileExists(results));
  EXPECT_EQ(files_.ExeFolder().back(), '/');
}

}  // namespace
