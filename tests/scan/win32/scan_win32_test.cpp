// Whole scans on the system registry (in a sandbox), real files and the
// Win32 UI-thread hand-off.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "platform/win32/files_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/ui_thread_win32.h"
#include "regtext/regedit4_reader.h"
#include "support/registry_sandbox_win32.h"
#include "support/scan_harness.h"
#include "support/temp_folder_win32.h"

namespace {

using Strings = std::vector<std::string>;

std::string Escaped(const std::string& path) {
  std::string out;
  for (char c : path) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return out;
}

class ScanWin32Test : public testing::Test {
 protected:
  void SetUp() override {
    std::ofstream(folder.Path() + "present.exe") << "x";
    CreateDirectoryA((folder.Path() + "with blank").c_str(), nullptr);
    std::ofstream(folder.Path() + "with blank\\app.exe") << "x";
    harness.SetKnowledgeBasePath(folder.Path() + "Knowbase.ini");
    ImportRegText(registry,
                  "REGEDIT4\n\n"
                  "[HKEY_CURRENT_USER\\Software\\Run]\n"
                  "\"here\"=\"\\\"" + Escaped(folder.Path()) + "present.exe\\\" /x\"\n"
                  "\"gone\"=\"" + Escaped(folder.Path()) + "gone.exe\"\n"
                  "\"path\"=\"notepad.exe %1\"\n"
                  "\"quoted blank\"=\"\\\"" + Escaped(folder.Path()) + "with blank\\\\app.exe\\\" -x\"\n"
                  "\"bare blank\"=\"" + Escaped(folder.Path()) + "with blank\\\\app.exe -x\"\n"
                  "\"gone blank\"=\"\\\"" + Escaped(folder.Path()) + "with blank\\\\gone.exe\\\" -x\"\n"
                  "[HKEY_CLASSES_ROOT\\a\\shell\\open\\command]\n@=\"" + Escaped(folder.Path()) + "gone.exe %1\"\n"
                  "[HKEY_CLASSES_ROOT\\b\\shell\\open\\command]\n@=\"notepad.exe \\\"%1\\\"\"\n"
                  "[HKEY_CLASSES_ROOT\\c\\shell\\open\\command]\n@=dword:00000001\n"
                  "[HKEY_CLASSES_ROOT\\d\\shell\\open\\command]\n@=\"" + Escaped(folder.Path()) + "\"\n"
                  "[HKEY_LOCAL_MACHINE\\Software\\Folders\\here]\n@=\"" + Escaped(folder.Path()) + "\"\n"
                  "[HKEY_LOCAL_MACHINE\\Software\\Folders\\env]\n@=\"%SystemRoot%\\\\TarnelGone\"\n"
                  "[HKEY_LOCAL_MACHINE\\Software\\Folders\\envhere]\n@=\"%SystemRoot%\\\\Temp\"\n"
                  "[HKEY_LOCAL_MACHINE\\Software\\Folders\\windows]\n@=\"C:\\\\windows\"\n");
  }

  RegistrySandbox sandbox;
  Win32Registry registry{Win32Registry::Views::kOwn};  // the sandbox has no views
  Win32FileSystem files;
  Win32UiThread ui;
  ScopedTempFolder folder{"scan"};
  ScanHarness harness{registry, files, ui};
};

TEST_F(ScanWin32Test, AScanWithWildcardsFindsTheStaleEntriesAndReportsInOrder) {
  harness.SetKnowledgeBase(
      "[PATHS1]\n"
      "HKEY_CURRENT_USER\\Software\\Run=Startup,0,LD_\n"
      "HKEY_CLASSES_ROOT\\*\\shell\\open\\command=Open,0,FILEDEF_\n"
      "HKEY_LOCAL_MACHINE\\Software\\Folders\\*=Folders,1,DIRDEF_\n");
  harness.Scan();
  EXPECT_EQ(harness.view.Problems(),
            (Strings{"HKEY_CURRENT_USER\\Software\\Run: File not found [gone|gone blank] 0",
                     "HKEY_CLASSES_ROOT\\a\\shell\\open\\command: File not found [(Default)] 0",
                     "HKEY_LOCAL_MACHINE\\Software\\Folders\\env: File not found [(Default)] 1"}));
  EXPECT_EQ(harness.view.calls,
            (Strings{"clear", "max 3", "step size 1", "position 0",
                     "step", "status Startup", "insert HKEY_CURRENT_USER\\Software\\Run",
                     "step", "status Open", "insert HKEY_CLASSES_ROOT\\a\\shell\\open\\command",
                     "step", "status Folders", "insert HKEY_LOCAL_MACHINE\\Software\\Folders\\env",
                     "position 0"}));
  EXPECT_EQ(harness.view.off_thread_calls, 0);
  EXPECT_EQ(harness.completions, 1);
  EXPECT_TRUE(harness.completion_on_ui_thread);
}

TEST_F(ScanWin32Test, AStopEndsTheScanAfterTheKeyBeingCheckedAndTheCompletionFollows) {
  for (int i = 0; i < 20; ++i)
    ImportRegText(registry, "REGEDIT4\n\n[HKEY_CURRENT_USER\\Many\\k" + std::to_string(10 + i) + "]\n@=\"\"\n");
  harness.SetKnowledgeBase(
      "[PATHS1]\n"
      "HKEY_CURRENT_USER\\Many\\*=Many,0,FILEDEF_\n"
      "HKEY_CURRENT_USER\\Software\\Run=Startup,0,LD_\n");
  harness.ScanStoppingAfter(4 + 2 + 5);
  const Strings& calls = harness.view.calls;
  EXPECT_EQ(std::count_if(calls.begin(), calls.end(), [](const std::string& c) { return c.rfind("insert", 0) == 0; }), 5);
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "step"), 1);
  EXPECT_EQ(calls.back(), "position 0");
  EXPECT_EQ(harness.completions, 1);
}

TEST_F(ScanWin32Test, NameAndClassChecksOnTheSystemRegistry) {
  ImportRegText(registry,
                "REGEDIT4\n\n"
                "[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\{7A4E1DE0-0000-4000-8000-0000000000E1}]\n"
                "[HKEY_LOCAL_MACHINE\\Software\\Classes\\Interface\\{7A4E1DE0-0000-4000-8000-0000000000E2}]\n"
                "[HKEY_CURRENT_USER\\Software\\Help]\n"
                "\"" + Escaped(folder.Path()) + "\"=\"present.exe\"\n"
                "\"C:\\\\Gone\"=\"present.exe\"\n"
                "[HKEY_CURRENT_USER\\Software\\Approved]\n"
                "\"{7A4E1DE0-0000-4000-8000-0000000000e1}\"=\"\"\n"
                "\"{7A4E1DE0-0000-4000-8000-0000000000F1}\"=\"\"\n"
                "[HKEY_CURRENT_USER\\Software\\Interfaces\\{7A4E1DE0-0000-4000-8000-0000000000E2}]\n"
                "[HKEY_CURRENT_USER\\Software\\Interfaces\\{7A4E1DE0-0000-4000-8000-0000000000F2}]\n");
  harness.SetKnowledgeBase(
      "[PATHS1]\n"
      "HKEY_CURRENT_USER\\Software\\Help=Help,0,ND_\n"
      "HKEY_CURRENT_USER\\Software\\Approved=Approved,0,CLSID_LN_\n"
      "HKEY_CURRENT_USER\\Software\\Interfaces\\*=Interfaces,1,INTRFC_K_\n");
  harness.Scan();
  EXPECT_EQ(harness.view.Problems(),
            (Strings{"HKEY_CURRENT_USER\\Software\\Help: File not found [C:\\Gone] 0",
                     "HKEY_CURRENT_USER\\Software\\Approved: Class not found [{7A4E1DE0-0000-4000-8000-0000000000F1}] 0",
                     "HKEY_CURRENT_USER\\Software\\Interfaces\\{7A4E1DE0-0000-4000-8000-0000000000F2}: "
                     "Interface not found [] 1"}));
}

TEST_F(ScanWin32Test, ASecondScanStartsFromAnEmptyTree) {
  harness.SetKnowledgeBase("[PATHS1]\nHKEY_CURRENT_USER\\Software\\Run=Startup,0,LD_\n");
  harness.Scan();
  harness.Scan();
  EXPECT_EQ(harness.view.Problems().size(), 1u);
  EXPECT_EQ(harness.completions, 2);
}

}  // namespace

namespace {

// The case met on a Wine with its 32-bit side: the 32-bit view of the class
// table carries a default value that is no class.
TEST_F(ScanWin32Test, TheOtherRegistryViewIsNoProgId) {
  ImportRegText(registry,
                "REGEDIT4\n\n"
                "[HKEY_CLASSES_ROOT\\Wow6432Node\\CLSID]\n@=\"ClassMoniker\"\n"
                "[HKEY_CLASSES_ROOT\\AppID\\CLSID]\n@=\"NoSuchClass\"\n"
                "[HKEY_CLASSES_ROOT\\Stale.ProgID\\CLSID]\n@=\"{00000000-0000-0000-0000-00000000DEAD}\"\n");
  harness.SetKnowledgeBase("[PATHS1]\nHKEY_CLASSES_ROOT\\*\\CLSID=ProgIDs of missing classes,2,CLSID_D_\n");
  harness.Scan();
  EXPECT_EQ(harness.view.Problems(),
            Strings{"HKEY_CLASSES_ROOT\\Stale.ProgID\\CLSID: Class not found [(Default)] 2"});
}

}  // namespace

namespace {

// Paths far over the 260 characters the ANSI calls take whole.
TEST_F(ScanWin32Test, KeysOfLongPathsAreVisitedLikeAnyOther) {
  const std::string a(250, 'a'), b(250, 'b'), c(250, 'c');
  ImportRegText(registry,
                "REGEDIT4\n\n"
                "[HKEY_CURRENT_USER\\Deep\\" + a + "\\" + b + "\\" + c + "\\Target]\n@=\"C:\\\\Nowhere\\\\gone.exe\"\n"
                "[HKEY_CURRENT_USER\\Deep\\" + a + "\\" + c + "\\" + b + "\\Target]\n@=\"C:\\\\Nowhere\\\\gone.exe\"\n"
                "[HKEY_CURRENT_USER\\Deep\\" + a + "\\" + c + "\\" + c + "\\Other]\n@=\"C:\\\\Nowhere\\\\gone.exe\"\n");
  harness.SetKnowledgeBase("[PATHS1]\nHKEY_CURRENT_USER\\Deep\\*\\*\\*\\Target=Deep,0,FILEDEF_\n");
  harness.Scan();
  EXPECT_EQ(harness.view.Problems(),
            (Strings{"HKEY_CURRENT_USER\\Deep\\" + a + "\\" + b + "\\" + c + "\\Target: File not found [(Default)] 0",
                     "HKEY_CURRENT_USER\\Deep\\" + a + "\\" + c + "\\" + b + "\\Target: File not found [(Default)] 0"}));
}

}  // namespace
