// Scans of a registry and files that behave like 64-bit Windows: the
// classes root merged from the user's and the machine's classes, two
// registry views, two system folders, drives of every kind.
#include <gtest/gtest.h>

#include "scan/scan_fixture.h"

namespace {

using Strings = std::vector<std::string>;

class WindowsViewsScanTest : public ScanFixture {
 protected:
  WindowsViewsScanTest() {
    registry.MergeClassesRoot();
    registry.SetTwoViews(true);
    files.SetSixtyFourBitWindows(false);
  }
};

TEST_F(WindowsViewsScanTest, AClassRegisteredPerUserOrInTheOtherViewIsRegistered) {
  SetRegistry(
      "[HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{11111111-0000-0000-0000-000000000000}]\n"
      "[HKEY_CURRENT_USER\\Software\\Classes\\Wow6432Node\\CLSID\\{22222222-0000-0000-0000-000000000000}]\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Classes\\Wow6432Node\\CLSID\\{33333333-0000-0000-0000-000000000000}]\n"
      "[HKEY_CURRENT_USER\\Software\\Classes\\Interface\\{44444444-0000-0000-0000-000000000000}]\n"
      "[HKEY_CURRENT_USER\\Software\\Classes\\TypeLib\\{55555555-0000-0000-0000-000000000000}]\n"
      "[HKEY_CURRENT_USER\\Software\\Classes\\Vendor.UserProgID]\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Classes\\Machine.PerUser\\CLSID]\n"
      "@=\"{11111111-0000-0000-0000-000000000000}\"\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Classes\\Machine.Wow\\CLSID]\n"
      "@=\"{33333333-0000-0000-0000-000000000000}\"\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Classes\\Machine.UserWow\\CLSID]\n"
      "@=\"{22222222-0000-0000-0000-000000000000}\"\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Classes\\Machine.Nowhere\\CLSID]\n"
      "@=\"{99999999-0000-0000-0000-000000000000}\"\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Classes\\Machine.Nowhere\\CurVer]\n"
      "@=\"Vendor.UserProgID\"\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Classes\\Interface\\{66666666-0000-0000-0000-000000000000}\\TypeLib]\n"
      "@=\"{55555555-0000-0000-0000-000000000000}\"\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Classes\\Links\\{44444444-0000-0000-0000-000000000000}]\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Classes\\Links\\{77777777-0000-0000-0000-000000000000}]\n");
  EXPECT_EQ(ScanWith("HKEY_CLASSES_ROOT\\*\\CLSID=ProgIDs,2,CLSID_D_\n"
                     "HKEY_CLASSES_ROOT\\*\\CurVer=Current versions,0,PROGIDDEF_\n"
                     "HKEY_CLASSES_ROOT\\Interface\\*\\TypeLib=Libraries,0,TLB_D_\n"
                     "HKEY_CLASSES_ROOT\\Links\\*=Interfaces,0,INTRFC_K_\n"),
            (Strings{"HKEY_CLASSES_ROOT\\Machine.Nowhere\\CLSID: Class not found [(Default)] 2",
                     "HKEY_CLASSES_ROOT\\Links\\{77777777-0000-0000-0000-000000000000}: Interface not found [] 0"}));
}

TEST_F(WindowsViewsScanTest, AKeyOfTheOtherViewIsNamedByItsWow6432NodePathAndASharedKeyIsSeenOnce) {
  files.AddFile("C:\\App\\present.dll");
  SetRegistry(
      "[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\{A1}\\InprocServer32]\n"
      "@=\"C:\\\\App\\\\gone64.dll\"\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Classes\\Wow6432Node\\CLSID\\{A2}\\InprocServer32]\n"
      "@=\"C:\\\\App\\\\gone32.dll\"\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Classes\\Wow6432Node\\CLSID\\{A3}\\InprocServer32]\n"
      "@=\"C:\\\\App\\\\present.dll\"\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\n"
      "\"Gone64\"=\"C:\\\\App\\\\gone64.exe\"\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run]\n"
      "\"Gone32\"=\"C:\\\\App\\\\gone32.exe\"\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\gone.exe]\n"
      "@=\"C:\\\\App\\\\gone.exe\"\n"
      "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\n"
      "\"Gone\"=\"C:\\\\App\\\\gone.exe\"\n");
  EXPECT_EQ(ScanWith("HKEY_CLASSES_ROOT\\CLSID\\*\\InprocServer32=Servers,2,FILEDEF_\n"
                     "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run=Run,0,LD_\n"
                     "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\*=Paths,1,FILEDEF_\n"
                     "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run=Run,0,LD_\n"),
            (Strings{"HKEY_CLASSES_ROOT\\CLSID\\{A1}\\InprocServer32: File not found [(Default)] 2",
                     "HKEY_CLASSES_ROOT\\Wow6432Node\\CLSID\\{A2}\\InprocServer32: File not found [(Default)] 2",
                     "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run: File not found [Gone64] 0",
                     "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\gone.exe: "
                     "File not found [(Default)] 1",
                     "HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run: "
                     "File not found [Gone32] 0",
                     "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run: File not found [Gone] 0"}));
  EXPECT_EQ(harness.view.progress_max, 4) << "each rule is one step, however many views it runs over";
}

TEST_F(WindowsViewsScanTest, WithOneViewTheOtherViewsPathIsNotWalked) {
  registry.SetTwoViews(false);
  SetRegistry(
      "[HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run]\n"
      "\"Gone32\"=\"C:\\\\App\\\\gone32.exe\"\n");
  EXPECT_EQ(ScanWith("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run=Run,0,LD_\n"),
            Strings{});
}

TEST_F(WindowsViewsScanTest, AProblemOfTheUsersClassesIsNamedWhereTheKeyLives) {
  SetRegistry(
      "[HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{B1}\\InprocServer32]\n"
      "@=\"C:\\\\Users\\\\me\\\\AppData\\\\gone.dll\"\n"
      "[HKEY_CURRENT_USER\\Software\\Classes\\Wow6432Node\\CLSID\\{B2}\\InprocServer32]\n"
      "@=\"C:\\\\Users\\\\me\\\\AppData\\\\gone32.dll\"\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\{B3}\\InprocServer32]\n"
      "@=\"C:\\\\App\\\\gone.dll\"\n");
  EXPECT_EQ(ScanWith("HKEY_CLASSES_ROOT\\CLSID\\*\\InprocServer32=Servers,2,FILEDEF_\n"),
            (Strings{"HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{B1}\\InprocServer32: File not found [(Default)] 2",
                     "HKEY_CURRENT_USER\\Software\\Classes\\Wow6432Node\\CLSID\\{B2}\\InprocServer32: "
                     "File not found [(Default)] 2",
                     "HKEY_CLASSES_ROOT\\CLSID\\{B3}\\InprocServer32: File not found [(Default)] 2"}));
}

TEST_F(WindowsViewsScanTest, FilesOfEitherSystemFolderCountAndDrivesThatMayBeAwayAreNotJudged) {
  files.AddFile("C:\\WINDOWS\\SysWOW64\\wow.exe");
  files.AddFolder("C:\\WINDOWS\\SysWOW64\\WowData");
  files.SetDriveKind('N', DriveKind::kNetwork);
  SetRegistry(
      "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\n"
      "\"Wow\"=\"C:\\\\WINDOWS\\\\System32\\\\wow.exe /start\"\n"
      "\"Bare\"=\"wow.exe\"\n"
      "\"Absent\"=\"Q:\\\\Tools\\\\tool.exe\"\n"
      "\"Network\"=\"N:\\\\Tools\\\\tool.exe\"\n"
      "\"Share\"=\"\\\\\\\\server\\\\share\\\\tool.exe\"\n"
      "\"Gone\"=\"C:\\\\WINDOWS\\\\System32\\\\gone.exe\"\n"
      "[HKEY_CURRENT_USER\\Folders\\Wow]\n"
      "@=\"C:\\\\WINDOWS\\\\System32\\\\WowData\"\n"
      "[HKEY_CURRENT_USER\\Folders\\Share]\n"
      "@=\"\\\\\\\\server\\\\share\"\n"
      "[HKEY_CURRENT_USER\\Folders\\Gone]\n"
      "@=\"C:\\\\Gone\"\n");
  EXPECT_EQ(ScanWith("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run=Run,0,LD_\n"
                     "HKEY_CURRENT_USER\\Folders\\*=Folders,0,DIRDEF_\n"),
            (Strings{"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run: File not found [Gone] 0",
                     "HKEY_CURRENT_USER\\Folders\\Gone: File not found [(Default)] 0"}));
}

}  // namespace
