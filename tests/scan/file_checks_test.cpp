// The checks of values naming programs, documents and folders.
#include <gtest/gtest.h>

#include "scan/scan_fixture.h"

namespace {

using Strings = std::vector<std::string>;

class FileChecksTest : public ScanFixture {
 protected:
  void SetUp() override {
    files.AddFile("C:\\Windows\\notepad.exe");
    files.AddFile("C:\\Program Files\\App\\app.exe");
    files.AddFolder("C:\\Program Files\\App");
    files.AddFolder("C:\\Windows\\Temp");
    files.SetVariable("SystemRoot", "C:\\Windows");
  }
};

TEST_F(FileChecksTest, FiledefTestsTheDefaultCommandLine) {
  SetRegistry(
      "[HKEY_CLASSES_ROOT\\good\\shell\\open\\command]\n@=\"\\\"C:\\\\Program Files\\\\App\\\\app.exe\\\" \\\"%1\\\"\"\n"
      "[HKEY_CLASSES_ROOT\\path\\shell\\open\\command]\n@=\"notepad.exe %1\"\n"
      "[HKEY_CLASSES_ROOT\\bad\\shell\\open\\command]\n@=\"C:\\\\Gone\\\\gone.exe %1\"\n"
      "[HKEY_CLASSES_ROOT\\empty\\shell\\open\\command]\n@=\"\"\n"
      "[HKEY_CLASSES_ROOT\\unset\\shell\\open\\command]\n\"other\"=\"C:\\\\Gone\\\\gone.exe\"\n"
      "[HKEY_CLASSES_ROOT\\env\\shell\\open\\command]\n@=\"%SystemRoot%\\\\gone.exe\"\n"
      "[HKEY_CLASSES_ROOT\\envgood\\shell\\open\\command]\n@=hex(2):25,53,79,73,74,65,6d,52,6f,6f,74,25,5c,6e,6f,\\\n"
      "  74,65,70,61,64,2e,65,78,65,00\n"
      "[HKEY_CLASSES_ROOT\\unknown\\shell\\open\\command]\n@=\"%NoSuchVariable%\\\\gone.exe\"\n");
  EXPECT_EQ(ScanWith("HKEY_CLASSES_ROOT\\*\\shell\\open\\command=Open,2,FILEDEF_\n"),
            (Strings{"HKEY_CLASSES_ROOT\\bad\\shell\\open\\command: File not found [(Default)] 2",
                     "HKEY_CLASSES_ROOT\\empty\\shell\\open\\command: File not found [(Default)] 2",
                     "HKEY_CLASSES_ROOT\\env\\shell\\open\\command: File not found [(Default)] 2"}));
}

TEST_F(FileChecksTest, DirdefExpandsVariablesAndDropsQuotes) {
  SetRegistry(
      "[HKEY_CURRENT_USER\\F\\good]\n@=\"C:\\\\Program Files\\\\App\"\n"
      "[HKEY_CURRENT_USER\\F\\file]\n@=\"C:\\\\Windows\\\\notepad.exe\"\n"
      "[HKEY_CURRENT_USER\\F\\quoted]\n@=\"\\\"C:\\\\Program Files\\\\App\\\"\"\n"
      "[HKEY_CURRENT_USER\\F\\quotedgone]\n@=\"\\\"C:\\\\Gone\\\"\"\n"
      "[HKEY_CURRENT_USER\\F\\variable]\n@=\"%SystemRoot%\\\\Temp\"\n"
      "[HKEY_CURRENT_USER\\F\\variablegone]\n@=\"%SystemRoot%\\\\Gone\"\n"
      "[HKEY_CURRENT_USER\\F\\unknown]\n@=\"%NoSuchVariable%\\\\Gone\"\n"
      "[HKEY_CURRENT_USER\\F\\relative]\n@=\"Gone\"\n"
      "[HKEY_CURRENT_USER\\F\\empty]\n@=\"\"\n");
  EXPECT_EQ(ScanWith("HKEY_CURRENT_USER\\F\\*=Folders,0,DIRDEF_\n"),
            (Strings{"HKEY_CURRENT_USER\\F\\empty: File not found [(Default)] 0",
                     "HKEY_CURRENT_USER\\F\\file: File not found [(Default)] 0",
                     "HKEY_CURRENT_USER\\F\\quotedgone: File not found [(Default)] 0",
                     "HKEY_CURRENT_USER\\F\\variablegone: File not found [(Default)] 0"}));
}

TEST_F(FileChecksTest, FileTestsTheValueNamedByTheParameterAndRecordsThatName) {
  SetRegistry(
      "[HKEY_LOCAL_MACHINE\\U\\a]\n\"InstallLocation\"=\"C:\\\\Gone\"\n@=\"notepad.exe\"\n"
      "[HKEY_LOCAL_MACHINE\\U\\b]\n\"InstallLocation\"=\"C:\\\\Program Files\\\\App\"\n@=\"C:\\\\Gone\"\n"
      "[HKEY_LOCAL_MACHINE\\U\\c]\n@=\"C:\\\\Gone\"\n");
  EXPECT_EQ(ScanWith("HKEY_LOCAL_MACHINE\\U\\*=Uninstall,0,FILE_,InstallLocation\n"),
            Strings{"HKEY_LOCAL_MACHINE\\U\\a: File not found [InstallLocation] 0"});
  EXPECT_EQ(ScanWith("HKEY_LOCAL_MACHINE\\U\\*=Uninstall,0,FILE_\n"),
            (Strings{"HKEY_LOCAL_MACHINE\\U\\b: File not found [] 0", "HKEY_LOCAL_MACHINE\\U\\c: File not found [] 0"}));
}

TEST_F(FileChecksTest, LnTestsTheNamesOfNamedValues) {
  SetRegistry(
      "[HKEY_LOCAL_MACHINE\\SharedDLLs]\n@=\"C:\\\\Gone\\\\x.dll\"\n"
      "\"C:\\\\Windows\\\\notepad.exe\"=dword:00000001\n\"C:\\\\Gone\\\\a.dll\"=dword:00000002\n"
      "\"C:\\\\Gone\\\\b.dll\"=hex:01\n"
      "[HKEY_LOCAL_MACHINE\\OnlyDefault]\n@=\"C:\\\\Gone\\\\x.dll\"\n");
  EXPECT_EQ(ScanWith("HKEY_LOCAL_MACHINE\\SharedDLLs=Shared,0,LN_\nHKEY_LOCAL_MACHINE\\OnlyDefault=D,0,LN_\n"),
            Strings{"HKEY_LOCAL_MACHINE\\SharedDLLs: File not found [C:\\Gone\\a.dll|C:\\Gone\\b.dll] 0"});
}

TEST_F(FileChecksTest, LdTestsTextDataOnlyAndNamesEveryFaultInOrder) {
  SetRegistry(
      "[HKEY_CURRENT_USER\\Run]\n"
      "@=\"C:\\\\Gone\\\\d.exe\"\n"
      "\"a\"=\"C:\\\\Gone\\\\a.exe -x\"\n"
      "\"b\"=\"notepad.exe\"\n"
      "\"c\"=\"\"\n"
      "\"d\"=hex(2):43,3a,5c,47,6f,6e,65,00\n"
      "\"e\"=\"C:\\\\Gone\\\\e.exe\"\n"
      "\"f\"=dword:00000001\n");
  EXPECT_EQ(ScanWith("HKEY_CURRENT_USER\\Run=Run,0,LD_\n"),
            Strings{"HKEY_CURRENT_USER\\Run: File not found [(Default)|a|d|e] 0"});
}

TEST_F(FileChecksTest, NdAndDnJoinNameParameterAndData) {
  SetRegistry(
      "[HKEY_CURRENT_USER\\ND]\n\"C:\\\\Windows\"=\"notepad.exe\"\n\"C:\\\\Gone\"=\"x.exe\"\n@=\"C:\\\\Windows\\\\notepad.exe\"\n"
      "\"C:\\\\Nothing\"=dword:00000000\n"
      "[HKEY_CURRENT_USER\\DN]\n\"notepad.exe\"=\"C:\\\\Windows\"\n\"x.exe\"=\"C:\\\\Gone\"\n\"empty\"=\"\"\n");
  EXPECT_EQ(ScanWith("HKEY_CURRENT_USER\\ND=ND,0,ND_,\\\nHKEY_CURRENT_USER\\DN=DN,-1,DN_,\\\n"),
            (Strings{"HKEY_CURRENT_USER\\ND: File not found [C:\\Gone] 0",
                     "HKEY_CURRENT_USER\\DN: File not found [x.exe] -1"}))
      << "the default value joins into \\C:\\..., a name no file has, and \"empty\" into \\empty, a path "
         "relative to the current drive: neither can be told missing";
}

TEST_F(FileChecksTest, VariablesAreTheUsersOwnOverTheProcesssWithTheSixtyFourBitProgramFolders) {
  files.SetVariable("ProgramFiles", "C:\\Program Files (x86)");
  files.SetVariable("ProgramW6432", "C:\\Program Files");
  files.SetVariable("LOCALAPPDATA", "C:\\Users\\ann\\AppData\\Local");
  files.SetVariable("USERPROFILE", "C:\\Users\\ann");
  files.AddFile("C:\\Users\\ann\\Tools\\t.exe");
  files.AddFile("C:\\Program Files (x86)\\App\\app.exe");
  SetRegistry(
      "[HKEY_CURRENT_USER\\Environment]\n\"Tools\"=hex(2):25,55,53,45,52,50,52,4f,46,49,4c,45,25,5c,54,6f,6f,\\\n"
      "  6c,73,00\n"
      "[HKEY_CURRENT_USER\\Run]\n"
      "\"tools\"=\"%Tools%\\\\t.exe\"\n"
      "\"toolsgone\"=\"%Tools%\\\\gone.exe\"\n"
      "\"program\"=\"%ProgramFiles%\\\\App\\\\app.exe\"\n"
      "\"programgone\"=\"%ProgramFiles%\\\\Gone\\\\app.exe\"\n"
      "\"x86\"=\"%ProgramFiles(x86)%\\\\App\\\\app.exe\"\n");
  files.SetVariable("ProgramFiles(x86)", "C:\\Program Files (x86)");
  EXPECT_EQ(ScanWith("HKEY_CURRENT_USER\\Run=Run,0,LD_\n"),
            Strings{"HKEY_CURRENT_USER\\Run: File not found [programgone|toolsgone] 0"});
}

TEST_F(FileChecksTest, AValueOfBlanksIsJudgedAsAnEmptyOne) {
  SetRegistry(
      "[HKEY_CURRENT_USER\\Run]\n\"blanks\"=\"   \"\n\"empty\"=\"\"\n"
      "[HKEY_CURRENT_USER\\Open\\blanks]\n@=\"   \"\n"
      "[HKEY_CURRENT_USER\\Open\\empty]\n@=\"\"\n"
      "[HKEY_LOCAL_MACHINE\\U\\blanks]\n\"InstallLocation\"=\"  \"\n"
      "[HKEY_LOCAL_MACHINE\\U\\empty]\n\"InstallLocation\"=\"\"\n");
  EXPECT_EQ(ScanWith("HKEY_CURRENT_USER\\Run=Run,0,LD_\nHKEY_CURRENT_USER\\Open\\*=Open,0,FILEDEF_\n"
                     "HKEY_LOCAL_MACHINE\\U\\*=Folders,0,FILE_,InstallLocation\n"),
            (Strings{"HKEY_CURRENT_USER\\Open\\blanks: File not found [(Default)] 0",
                     "HKEY_CURRENT_USER\\Open\\empty: File not found [(Default)] 0"}))
      << "a command line must name its program; a start-up value or an install folder of nothing names nothing";
}

TEST_F(FileChecksTest, TwoChecksFindingTheSameKeyMergeIntoOneRecord) {
  SetRegistry("[HKEY_CURRENT_USER\\K]\n@=\"C:\\\\Gone\"\n\"x\"=\"C:\\\\Gone\\\\y.exe\"\n");
  EXPECT_EQ(ScanWith("HKEY_CURRENT_USER\\K=A,0,FILEDEF_\nHKEY_CURRENT_USER\\*=B,1,LD_\n"),
            Strings{"HKEY_CURRENT_USER\\K: File not found [(Default)|x] 1"});
}

}  // namespace
