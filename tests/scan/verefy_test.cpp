#include "scan/verefy.h"

#include <gtest/gtest.h>

#include "scan/scan_fixture.h"

namespace {

using Strings = std::vector<std::string>;

class VerefyTest : public ScanFixture {};

TEST_F(VerefyTest, WithoutAKnowledgeBaseTheScanOnlyClearsAndEnds) {
  harness.Scan();
  EXPECT_EQ(Calls(), (Strings{"clear", "max 0", "step size 1", "position 0", "position 0"}));
  EXPECT_EQ(harness.completions, 1);
  EXPECT_EQ(harness.view.tree.NodeCount(), 1u);
}

TEST_F(VerefyTest, WithoutSectionPaths1TheScanFindsNothing) {
  harness.SetKnowledgeBase("[OTHER]\nHKEY_CLASSES_ROOT\\A=Desc,0,FILEDEF_\n");
  harness.Scan();
  EXPECT_EQ(harness.view.progress_max, 0);
}

TEST_F(VerefyTest, WindowChangesComeInOrderOnTheUiThread) {
  SetRegistry("[HKEY_CURRENT_USER\\Software\\Run]\n\"a\"=\"C:\\\\missing.exe\"\n");
  ScanWith(
      "HKEY_CURRENT_USER\\Software\\Run=Run entries,0,LD_\n"
      "NoBackslash=Skipped,0,LD_\n"
      "HKEY_CURRENT_USER\\Software\\Other=Unknown,0,NOSUCH_\n"
      "HKEY_CURRENT_USER\\Software\\Short=Too short,0\n");
  EXPECT_EQ(Calls(), (Strings{"clear", "max 4", "step size 1", "position 0",
                              "step", "status Run entries", "insert HKEY_CURRENT_USER\\Software\\Run",
                              "step", "status ",
                              "step", "status Unknown",
                              "step", "status Too short",
                              "position 0"}));
  EXPECT_EQ(harness.view.off_thread_calls, 0);
  EXPECT_EQ(harness.completions, 1);
}

TEST_F(VerefyTest, ASecondScanClearsTheFirstOnesResultsBeforeInserting) {
  SetRegistry("[HKEY_CURRENT_USER\\Software\\Run]\n\"a\"=\"C:\\\\missing.exe\"\n");
  const std::string kb = "HKEY_CURRENT_USER\\Software\\Run=Run,0,LD_\n";
  ScanWith(kb);
  harness.view.calls.clear();
  EXPECT_EQ(ScanWith(kb), Strings{"HKEY_CURRENT_USER\\Software\\Run: File not found [a] 0"});
  EXPECT_EQ(Calls()[0], "clear");
}

// A view that takes the old results down a part at a time is called until
// it is done, before anything else, even when a stop was asked for.
TEST_F(VerefyTest, ClearingGoesOnUntilTheViewIsDoneBeforeAnythingElse) {
  SetRegistry("[HKEY_CURRENT_USER\\Software\\Run]\n\"a\"=\"C:\\\\missing.exe\"\n");
  const std::string kb = "HKEY_CURRENT_USER\\Software\\Run=Run,0,LD_\n";
  ScanWith(kb);
  harness.view.calls.clear();
  harness.view.clear_calls_left_over = 2;
  EXPECT_EQ(ScanWith(kb), Strings{"HKEY_CURRENT_USER\\Software\\Run: File not found [a] 0"});
  EXPECT_EQ(Calls(), (Strings{"clear", "clear", "clear", "max 1", "step size 1", "position 0", "step", "status Run",
                              "insert HKEY_CURRENT_USER\\Software\\Run", "position 0"}));

  harness.view.calls.clear();
  harness.view.clear_calls_left_over = 2;
  harness.ScanStoppingAfter(1);
  EXPECT_EQ(Calls(), (Strings{"clear", "clear", "clear", "max 1", "step size 1", "position 0", "position 0"}));
  EXPECT_EQ(harness.view.tree.NodeCount(), 1u) << "the old results are gone";
}

TEST_F(VerefyTest, ReferenceListsComeFromTheMachinesAndTheUsersClasses) {
  SetRegistry(
      "[HKEY_LOCAL_MACHINE\\Software\\CLASSES\\CLSID\\{11111111-0000-0000-0000-000000000000}]\n"
      "[HKEY_LOCAL_MACHINE\\Software\\CLASSES\\.txt]\n"
      "[HKEY_LOCAL_MACHINE\\Software\\CLASSES\\txtfile]\n"
      "[HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{22222222-0000-0000-0000-000000000000}]\n"
      "[HKEY_CURRENT_USER\\Software\\Classes\\.doc]\n"
      "[HKEY_CURRENT_USER\\Software\\Classes\\docfile]\n"
      "[HKEY_CURRENT_USER\\Software\\Refs]\n"
      "@=\"docfile\"\n"
      "[HKEY_CURRENT_USER\\Software\\Refs\\{11111111-0000-0000-0000-000000000000}]\n"
      "[HKEY_CURRENT_USER\\Software\\Refs\\{22222222-0000-0000-0000-000000000000}]\n"
      "[HKEY_CURRENT_USER\\Software\\Refs\\{33333333-0000-0000-0000-000000000000}]\n"
      "[HKEY_CURRENT_USER\\Software\\Ext]\n"
      "@=\".doc\"\n");
  EXPECT_EQ(ScanWith("HKEY_CURRENT_USER\\Software\\Refs\\*=Classes,0,CLSID_K_\n"
                     "HKEY_CURRENT_USER\\Software\\Refs=ProgID,0,PROGIDDEF_\n"
                     "HKEY_CURRENT_USER\\Software\\Ext=ProgID,0,PROGIDDEF_\n"),
            (Strings{"HKEY_CURRENT_USER\\Software\\Refs\\{33333333-0000-0000-0000-000000000000}: Class not found [] 0",
                     "HKEY_CURRENT_USER\\Software\\Ext: File not found [(Default)] 0"}));
}

TEST_F(VerefyTest, ClassesOfTheOtherRegistryViewCountAsRegistered) {
  SetRegistry(
      "[HKEY_LOCAL_MACHINE\\Software\\CLASSES\\Wow6432Node\\CLSID\\{33333333-0000-0000-0000-000000000000}]\n"
      "[HKEY_LOCAL_MACHINE\\Software\\CLASSES\\Wow6432Node\\Interface\\{44444444-0000-0000-0000-000000000000}]\n"
      "[HKEY_CURRENT_USER\\Refs]\n"
      "@=\"{33333333-0000-0000-0000-000000000000}\"\n"
      "[HKEY_CURRENT_USER\\Refs\\{44444444-0000-0000-0000-000000000000}]\n"
      "[HKEY_CURRENT_USER\\Refs\\{55555555-0000-0000-0000-000000000000}]\n");
  EXPECT_EQ(ScanWith("HKEY_CURRENT_USER\\Refs=Class,0,CLSID_D_\n"
                     "HKEY_CURRENT_USER\\Refs\\*=Interfaces,0,INTRFC_K_\n"),
            Strings{"HKEY_CURRENT_USER\\Refs\\{55555555-0000-0000-0000-000000000000}: Interface not found [] 0"});
}

TEST_F(VerefyTest, AValueThatIsNotTextSkipsItsKeyAndTheScanGoesOn) {
  SetRegistry(
      "[HKEY_CURRENT_USER\\A]\n@=dword:00000001\n"
      "[HKEY_CURRENT_USER\\B]\n@=\"C:\\\\missing.exe\"\n");
  EXPECT_EQ(ScanWith("HKEY_CURRENT_USER\\*=Defaults,0,FILEDEF_\n"
                     "HKEY_CURRENT_USER\\A=Again,0,CLSID_D_\n"
                     "HKEY_CURRENT_USER\\B=Class,0,CLSID_D_\n"),
            (Strings{"HKEY_CURRENT_USER\\B: File not found,Class not found [(Default)] 0"}));
  EXPECT_EQ(harness.view.progress_position, 0);
  EXPECT_EQ(std::count(Calls().begin(), Calls().end(), "step"), 3);
}

TEST_F(VerefyTest, AStopDuringAWildcardLevelEndsAfterTheKeyBeingChecked) {
  std::string reg;
  for (int i = 0; i < 50; ++i) reg += "[HKEY_CURRENT_USER\\Many\\k" + std::to_string(100 + i) + "]\n@=\"\"\n";
  SetRegistry(reg);
  harness.SetKnowledgeBase(
      "[PATHS1]\n"
      "HKEY_CURRENT_USER\\Many\\*=Many,0,FILEDEF_\n"
      "HKEY_CURRENT_USER\\Many\\*=Again,0,FILEDEF_\n");
  // clear, max, step size, position, the first entry's progress, then 3 inserts.
  harness.ScanStoppingAfter(4 + 2 + 3);
  const Strings& calls = harness.view.calls;
  const auto inserts = std::count_if(calls.begin(), calls.end(), [](const std::string& c) { return c.rfind("insert", 0) == 0; });
  EXPECT_EQ(inserts, 3) << "the stop is seen before the next subkey";
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "step"), 1) << "the remaining entry does not step";
  EXPECT_EQ(calls.back(), "position 0");
  EXPECT_EQ(harness.completions, 1);
}

TEST_F(VerefyTest, TheKnowledgeBaseIsReadAgainAtEveryScan) {
  SetRegistry("[HKEY_CURRENT_USER\\A]\n@=\"C:\\\\missing.exe\"\n");
  EXPECT_EQ(ScanWith("HKEY_CURRENT_USER\\A=A,0,FILEDEF_\n").size(), 1u);
  EXPECT_EQ(ScanWith("HKEY_CURRENT_USER\\A=A,0,DIRDEF_\nHKEY_CURRENT_USER\\B=B,0,DIRDEF_\n").size(), 1u);
  EXPECT_EQ(harness.view.progress_max, 2);
}

}  // namespace
