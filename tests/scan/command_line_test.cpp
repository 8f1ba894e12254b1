#include "scan/command_line.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

// A search order that knows a fixed set of names and remembers what it was
// asked.
struct FakeSearch {
  std::set<std::string> existing;
  std::vector<std::string> asked;
  bool operator()(const std::string& name) {
    asked.push_back(name);
    return existing.count(name) != 0;
  }
};

bool Exists(const std::string& line, std::set<std::string> existing, std::vector<std::string>* asked = nullptr) {
  FakeSearch search{std::move(existing), {}};
  const bool result = CommandTargetExists(line, std::ref(search));
  if (asked) *asked = search.asked;
  return result;
}

TEST(CommandTargetExists, ProgramWithArgumentsIsFoundAfterTheExtensionCut) {
  std::vector<std::string> asked;
  EXPECT_TRUE(Exists("notepad.exe %1", {"notepad.exe"}, &asked));
  EXPECT_EQ(asked, (std::vector<std::string>{"notepad.exe %1", "notepad.exe"}));
  EXPECT_TRUE(Exists("C:\\Program Files\\App\\app.exe -x", {"C:\\Program Files\\App\\app.exe"}));
}

TEST(CommandTargetExists, QuotesAreRemovedWithWhatFollowsTheClosingOne) {
  EXPECT_TRUE(Exists("\"C:\\Program Files\\App\\app.exe\" %1", {"C:\\Program Files\\App\\app.exe"}));
  EXPECT_TRUE(Exists("'C:\\a b\\x.exe' -y", {"C:\\a b\\x.exe"}));
  EXPECT_TRUE(Exists("\"C:\\a b\\x.exe", {"C:\\a b\\x.exe"})) << "an unclosed quote is just dropped";
  std::vector<std::string> asked;
  Exists("\"C:\\a'b.exe\"", {}, &asked);
  EXPECT_EQ(asked.front(), "C:\\a'b.exe") << "a double quote is not cut at a single one";
}

TEST(CommandTargetExists, EnvironmentReferencesAreTrustedWithoutALookUp) {
  std::vector<std::string> asked;
  EXPECT_TRUE(Exists("%SystemRoot%\\system32\\missing.exe", {}, &asked));
  EXPECT_TRUE(Exists("\"%SystemRoot%\\system32\\missing.exe\"", {}, &asked));
  EXPECT_TRUE(asked.empty());
}

TEST(CommandTargetExists, ADotInTheArgumentsIsHandledByTheCutAfterTheFirstDot) {
  std::vector<std::string> asked;
  EXPECT_TRUE(Exists("C:\\WINDOWS\\SYSTEM\\RUNDLL32.EXE shell32.dll,Control_RunDLL",
                     {"C:\\WINDOWS\\SYSTEM\\RUNDLL32.EXE"}, &asked));
  EXPECT_EQ(asked, (std::vector<std::string>{"C:\\WINDOWS\\SYSTEM\\RUNDLL32.EXE shell32.dll,Control_RunDLL",
                                             "C:\\WINDOWS\\SYSTEM\\RUNDLL32.EXE shell32.dll",
                                             "C:\\WINDOWS\\SYSTEM\\RUNDLL32.EXE"}));
}

TEST(CommandTargetExists, LongExtensionsAreCutToThreeLettersWhenAnythingFollows) {
  EXPECT_TRUE(Exists("C:\\Docs\\page.html", {"C:\\Docs\\page.html"}));
  EXPECT_FALSE(Exists("C:\\Docs\\page.html -x", {"C:\\Docs\\page.html"}));
  EXPECT_TRUE(Exists("C:\\Docs\\page.html -x", {"C:\\Docs\\page.htm"}));
}

TEST(CommandTargetExists, ThreeProgramsAreAcceptedByNameOnTheUnchangedInputOnly) {
  EXPECT_TRUE(Exists("rundll32 setupapi,InstallHinfSection", {}));
  EXPECT_TRUE(Exists("explorer /e", {}));
  EXPECT_TRUE(Exists("winhlp32 -k x", {}));
  EXPECT_FALSE(Exists("RUNDLL32 setupapi,InstallHinfSection", {}));
  EXPECT_FALSE(Exists("\"rundll32\" setupapi", {}));
}

TEST(CommandTargetExists, EmptyTextIsNeverFoundAndNeverSearched) {
  std::vector<std::string> asked;
  EXPECT_FALSE(Exists("", {""}, &asked));
  EXPECT_FALSE(Exists("\"\"", {""}, &asked));
  EXPECT_TRUE(asked.empty());
}

TEST(CommandTargetExists, AnOverlongLineIsTestedAsCutToTheWorkingCopy) {
  const std::string program = "C:\\" + std::string(250, 'a') + ".exe";  // 257 characters
  std::vector<std::string> asked;
  EXPECT_TRUE(Exists(program + " " + std::string(5000, 'x'), {program}, &asked));
  for (const std::string& name : asked) EXPECT_LE(name.size(), kCommandLineChars);
  EXPECT_FALSE(Exists(std::string(300, 'b') + ".exe", {std::string(300, 'b') + ".exe"}))
      << "a name longer than the working copy is never looked up whole";
}

}  // namespace
