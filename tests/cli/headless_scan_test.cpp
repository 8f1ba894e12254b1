#include "cli/headless_scan.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/scan_options.h"
#include "platform/fixed_clock.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"
#include "regtext/regedit4_reader.h"

#include "support/no_mail.h"

namespace {

class HeadlessScanTest : public testing::Test {
 protected:
  void SetUp() override {
    ImportRegText(registry,
                  "REGEDIT4\n\n"
                  "[HKEY_CURRENT_USER\\Software\\Run]\n"
                  "\"gone\"=\"C:\\\\Gone\\\\gone.exe\"\n"
                  "\"here\"=\"C:\\\\WINDOWS\\\\notepad.exe\"\n");
    files.AddFile("C:\\WINDOWS\\notepad.exe");
  }
  int Run(const std::vector<std::string>& args) {
    ParsedScanOptions parsed = ParseScanOptions(args);
    EXPECT_EQ(parsed.error, "");
    HeadlessScan scan(HeadlessSystem{registry, files, clock, mail}, out, err, nullptr);
    return scan.Run(parsed.options);
  }
  void SetKnowledgeBase(const std::string& text) { files.AddFile(files.ExeFolder() + "Knowbase.ini", text); }

  MemoryRegistry registry;
  MemoryFileSystem files;
  FixedClock clock{LocalTime{2026, 12, 6, 21, 5, 9}};
  NoMail mail;
  std::ostringstream out, err;
};

TEST_F(HeadlessScanTest, ListsEachProblemWithItsDetailsAndACount) {
  SetKnowledgeBase("[PATHS1]\nHKEY_CURRENT_USER\\Software\\Run=Run,0,LD_\n");
  EXPECT_EQ(Run({}), kExitProblemsFound);
  EXPECT_EQ(out.str(),
            "HKEY_CURRENT_USER\\Software\\Run\n"
            "    File not found; level 0; values: \"gone\"\n"
            "1 problem found.\n");
  EXPECT_EQ(err.str(), "");
}

TEST_F(HeadlessScanTest, NothingFoundExitsClean) {
  SetKnowledgeBase("[PATHS1]\nHKEY_CURRENT_USER\\Software\\Missing=Run,0,LD_\n");
  EXPECT_EQ(Run({}), kExitClean);
  EXPECT_EQ(out.str(), "0 problems found.\n");
}

TEST_F(HeadlessScanTest, AnUnreadableKnowledgeBaseIsAUsageErrorWithOneClearLine) {
  EXPECT_EQ(Run({}), kExitUsage);
  EXPECT_EQ(err.str(), "TarnelScan: cannot read the knowledge base C:\\Program Files\\Tarnel\\Knowbase.ini\n");
  err.str("");
  files.AddFile("C:\\rules.ini", "[OTHER]\nA=B\n");
  EXPECT_EQ(Run({"--knowbase", "C:\\rules.ini"}), kExitUsage);
  EXPECT_EQ(err.str(), "TarnelScan: the knowledge base C:\\rules.ini has no section [PATHS1]\n");
  err.str("");
  files.AddFile("C:\\empty.ini", "[PATHS1]\n; no rules yet\n");
  EXPECT_EQ(Run({"--knowbase", "C:\\empty.ini"}), kExitUsage);
  EXPECT_EQ(err.str(), "TarnelScan: the knowledge base C:\\empty.ini has no rules in [PATHS1]\n");
  EXPECT_EQ(out.str(), "");
}

TEST_F(HeadlessScanTest, SaveWritesTheResultsFile) {
  files.AddFile("C:\\rules.ini", "[PATHS1]\nHKEY_CURRENT_USER\\Software\\Run=Run,0,LD_\n");
  EXPECT_EQ(Run({"--knowbase", "C:\\rules.ini", "--save", "C:\\out.reg"}), kExitProblemsFound);
  const std::optional<std::string> saved = files.ReadFile("C:\\out.reg");
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(saved->rfind("REGEDIT4\r\n", 0), 0u);
  EXPECT_NE(saved->find("[HKEY_CURRENT_USER\\Software\\Run]\r\n\"gone\"=\"C:\\\\Gone\\\\gone.exe\""), std::string::npos);
  EXPECT_NE(out.str().find("Results written to C:\\out.reg\n"), std::string::npos);
}

TEST_F(HeadlessScanTest, AResultsFileThatCannotBeWrittenIsReported) {
  SetKnowledgeBase("[PATHS1]\nHKEY_CURRENT_USER\\Software\\Run=Run,0,LD_\n");
  files.AddFile("C:\\locked.reg", "old");
  files.SetLocked("C:\\locked.reg", true);
  EXPECT_EQ(Run({"--save", "C:\\locked.reg"}), kExitUsage);
  EXPECT_EQ(err.str(), "TarnelScan: Cannot create file C:\\locked.reg\n");
  EXPECT_EQ(files.ReadFile("C:\\locked.reg"), "old");
}

TEST_F(HeadlessScanTest, AStopBeforeTheScanListsNothingAndSaysSo) {
  SetKnowledgeBase("[PATHS1]\nHKEY_CURRENT_USER\\Software\\Run=Run,0,LD_\n");
  HeadlessScan scan(HeadlessSystem{registry, files, clock, mail}, out, err, nullptr);
  scan.RequestStop();
  EXPECT_EQ(scan.Run(ScanOptions{}), kExitStopped);
  EXPECT_EQ(out.str(), "Scan stopped: the list above holds only what was found until then.\n0 problems found.\n");
}

TEST(ScanOptions, ParsesEveryOptionAndRejectsTheRest) {
  ParsedScanOptions parsed = ParseScanOptions({"--knowbase", "k.ini", "--save", "r.reg"});
  EXPECT_EQ(parsed.error, "");
  EXPECT_EQ(parsed.options.knowledge_base, "k.ini");
  EXPECT_EQ(parsed.options.save_file, "r.reg");
  EXPECT_TRUE(ParseScanOptions({"--help"}).options.help);
  EXPECT_EQ(ParseScanOptions({"--save"}).error, "--save needs a file name");
  EXPECT_EQ(ParseScanOptions({"scan"}).error, "unknown argument: scan");
}

}  // namespace
