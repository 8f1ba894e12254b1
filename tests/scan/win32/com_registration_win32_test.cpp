// A real COM server registered by the system's regsvr32, then taken apart
// piece by piece: each missing piece is reported by its check.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/queued_ui_thread.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/root_keys.h"
#include "support/registry_sandbox_win32.h"
#include "support/scan_harness.h"
#include "support/temp_folder_win32.h"

namespace {

using Strings = std::vector<std::string>;

constexpr const char* kClassKey = "Software\\Classes\\CLSID\\{7A4E1DE0-0000-4000-8000-00000000C0C0}";
constexpr const char* kTypeLibKey = "Software\\Classes\\TypeLib\\{7A4E1DE0-0000-4000-8000-00000000C0C2}";

// Runs a program and returns its exit code, or -1 when it cannot start.
int RunProgram(std::string command_line) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return -1;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

class ComRegistrationTest : public testing::Test {
 protected:
  void SetUp() override {
    dll = folder.Path() + "tarnel_test_com.dll";
    ASSERT_TRUE(CopyFileA((files.ExeFolder() + "tarnel_test_com.dll").c_str(), dll.c_str(), FALSE));
    // regsvr32 does not see this process's redirected roots: the server
    // writes into the sandbox's machine classes by their real path.
    const std::string classes = sandbox.RootPath(kHkeyLocalMachine) + "\\Software\\Classes";
    SetEnvironmentVariableA("TARNEL_TEST_CLASSES", classes.c_str());
    ASSERT_EQ(RunProgram("regsvr32.exe /s \"" + dll + "\""), 0);
    SetEnvironmentVariableA("TARNEL_TEST_CLASSES", nullptr);
    harness.SetKnowledgeBasePath(folder.Path() + "Knowbase.ini");
    harness.SetKnowledgeBase(
        "[PATHS1]\n"
        "HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\*\\InprocServer32=Servers,2,FILEDEF_\n"
        "HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\*\\TypeLib=Class type libraries,1,TLB_D_\n"
        "HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\*\\ProgID=Class ProgIDs,1,PROGIDDEF_\n"
        "HKEY_LOCAL_MACHINE\\Software\\Classes\\*\\CLSID=ProgIDs,2,CLSID_D_\n"
        "HKEY_LOCAL_MACHINE\\Software\\Classes\\Interface\\*\\ProxyStubClsid32=Proxies,0,CLSID_D_\n"
        "HKEY_LOCAL_MACHINE\\Software\\Classes\\Interface\\*\\TypeLib=Interface type libraries,0,TLB_D_\n"
        "HKEY_LOCAL_MACHINE\\Software\\Classes\\TypeLib\\*\\*\\*\\win64=Type library files,1,FILEDEF_\n");
  }

  Strings Scan() {
    harness.Scan();
    return harness.view.Problems();
  }

  RegistrySandbox sandbox;
  Win32Registry registry{Win32Registry::Views::kOwn};  // the sandbox has no views
  Win32FileSystem files;
  QueuedUiThread ui;
  ScopedTempFolder folder{"com"};
  ScanHarness harness{registry, files, ui};
  std::string dll;
};

TEST_F(ComRegistrationTest, EachMissingPieceIsReportedByItsCheck) {
  ASSERT_TRUE(registry.OpenRead(kHkeyLocalMachine, kClassKey)) << "regsvr32 did not register the server";
  EXPECT_EQ(Scan(), Strings{}) << "a complete registration has no problem";

  ASSERT_TRUE(DeleteFileA(dll.c_str()));
  EXPECT_EQ(Scan(),
            (Strings{"HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\{7A4E1DE0-0000-4000-8000-00000000C0C0}"
                     "\\InprocServer32: File not found [(Default)] 2",
                     "HKEY_LOCAL_MACHINE\\Software\\Classes\\TypeLib\\{7A4E1DE0-0000-4000-8000-00000000C0C2}"
                     "\\1.0\\0\\win64: File not found [(Default)] 1"}));

  ASSERT_TRUE(registry.DeleteKey(kHkeyLocalMachine, kClassKey));
  EXPECT_EQ(Scan(),
            (Strings{"HKEY_LOCAL_MACHINE\\Software\\Classes\\TarnelTest.Server.1\\CLSID: Class not found [(Default)] 2",
                     "HKEY_LOCAL_MACHINE\\Software\\Classes\\Interface\\{7A4E1DE0-0000-4000-8000-00000000C0C1}"
                     "\\ProxyStubClsid32: Class not found [(Default)] 0",
                     "HKEY_LOCAL_MACHINE\\Software\\Classes\\TypeLib\\{7A4E1DE0-0000-4000-8000-00000000C0C2}"
                     "\\1.0\\0\\win64: File not found [(Default)] 1"}));

  ASSERT_TRUE(registry.DeleteKey(kHkeyLocalMachine, kTypeLibKey));
  EXPECT_EQ(Scan(),
            (Strings{"HKEY_LOCAL_MACHINE\\Software\\Classes\\TarnelTest.Server.1\\CLSID: Class not found [(Default)] 2",
                     "HKEY_LOCAL_MACHINE\\Software\\Classes\\Interface\\{7A4E1DE0-0000-4000-8000-00000000C0C1}"
                     "\\ProxyStubClsid32: Class not found [(Default)] 0",
                     "HKEY_LOCAL_MACHINE\\Software\\Classes\\Interface\\{7A4E1DE0-0000-4000-8000-00000000C0C1}"
                     "\\TypeLib: TypeLib not Found [(Default)] 0"}));
}

}  // namespace
