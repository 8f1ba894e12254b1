#include "scan/command_line.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

namespace {

// A search order that knows a fixed set of names (and names it cannot see
// into) and remembers what it was asked; a fixed environment.
struct FakeWorld {
  explicit FakeWorld(std::set<std::string> there = {}, std::set<std::string> hidden = {})
      : existing(std::move(there)), unseen(std::move(hidden)) {}

  std::set<std::string> existing;
  std::set<std::string> unseen;
  std::map<std::string, std::string> variables = {{"SystemRoot", "C:\\WINDOWS"},
                                                  {"ProgramFiles", "C:\\Program Files"},
                                                  {"USERNAME", "ann"}};
  std::vector<std::string> asked;

  Presence Look(const std::string& line) {
    const CommandLookups lookups{[this](const std::string& name) {
                                   asked.push_back(name);
                                   if (unseen.contains(name)) return Presence::kCannotTell;
                                   return existing.contains(name) ? Presence::kFound : Presence::kMissing;
                                 },
                                 [this](const std::string& name) -> std::optional<std::string> {
                                   const auto found = variables.find(name);
                                   if (found == variables.end()) return std::nullopt;
                                   return found->second;
                                 }};
    return CommandTargetPresence(line, lookups);
  }
};

Presence Look(const std::string& line, std::set<std::string> existing, std::vector<std::string>* asked = nullptr) {
  FakeWorld world(std::move(existing));
  const Presence result = world.Look(line);
  if (asked) *asked = world.asked;
  return result;
}

constexpr Presence kFound = Presence::kFound;
constexpr Presence kMissing = Presence::kMissing;
constexpr Presence kCannotTell = Presence::kCannotTell;

TEST(CommandTargetPresence, ProgramWithArgumentsIsFoundAfterTheExtensionCut) {
  std::vector<std::string> asked;
  EXPECT_EQ(Look("notepad.exe %1", {"notepad.exe"}, &asked), kFound);
  EXPECT_EQ(asked, (std::vector<std::string>{"notepad.exe %1", "notepad.exe"}));
  EXPECT_EQ(Look("C:\\Program Files\\App\\app.exe -x", {"C:\\Program Files\\App\\app.exe"}), kFound);
  EXPECT_EQ(Look("C:\\Gone\\app.exe -x", {}), kMissing);
}

TEST(CommandTargetPresence, QuotesAreRemovedWithWhatFollowsTheClosingOne) {
  EXPECT_EQ(Look("\"C:\\Program Files\\App\\app.exe\" %1", {"C:\\Program Files\\App\\app.exe"}), kFound);
  EXPECT_EQ(Look("'C:\\a b\\x.exe' -y", {"C:\\a b\\x.exe"}), kFound);
  EXPECT_EQ(Look("\"C:\\a b\\x.exe", {"C:\\a b\\x.exe"}), kFound) << "an unclosed quote is just dropped";
  std::vector<std::string> asked;
  Look("\"C:\\a'b.exe\"", {}, &asked);
  EXPECT_EQ(asked.front(), "C:\\a'b.exe") << "a double quote is not cut at a single one";
}

TEST(CommandTargetPresence, NamesNoFileSystemHoldsAreNeverAskedAndDecideNothing) {
  std::vector<std::string> asked;
  EXPECT_EQ(Look("C:\\Gone\\app.exe \"%1\"", {}, &asked), kMissing);
  EXPECT_EQ(asked, std::vector<std::string>{"C:\\Gone\\app.exe"});
  EXPECT_EQ(Look("C:\\a|b", {}, &asked), kCannotTell) << "nothing could be looked up";
  EXPECT_TRUE(asked.empty());
}

TEST(CommandTargetPresence, VariablesAreExpandedBeforeTheLookUp) {
  std::vector<std::string> asked;
  EXPECT_EQ(Look("%SystemRoot%\\system32\\missing.exe", {}, &asked), kMissing);
  EXPECT_EQ(asked.front(), "C:\\WINDOWS\\system32\\missing.exe");
  EXPECT_EQ(Look("\"%ProgramFiles%\\App\\app.exe\" /x", {"C:\\Program Files\\App\\app.exe"}), kFound);
  EXPECT_EQ(Look("C:\\Users\\%USERNAME%\\app.exe", {"C:\\Users\\ann\\app.exe"}), kFound);
  EXPECT_EQ(Look("C:\\Users\\%username%\\app.exe", {}), kCannotTell) << "names as the lookup answers them";
}

TEST(CommandTargetPresence, AVariableWithoutValueCannotBeToldButArgumentsAreNoVariables) {
  std::vector<std::string> asked;
  EXPECT_EQ(Look("%NoSuchThing%\\app.exe", {}, &asked), kCannotTell);
  EXPECT_TRUE(asked.empty());
  EXPECT_EQ(Look("\"C:\\x\\%NoSuchThing%\\app.exe\" -x", {}), kCannotTell);
  EXPECT_EQ(Look("C:\\Gone\\app.exe %1 %2", {}), kMissing);
  EXPECT_EQ(Look("\"%1\" %*", {}, &asked), kCannotTell) << "a program that is the document itself";
  EXPECT_EQ(Look("%L", {}, &asked), kCannotTell);
  EXPECT_TRUE(asked.empty());
  EXPECT_EQ(Look("C:\\Gone\\app.exe %* %1%", {}), kMissing);
  EXPECT_EQ(ExpandVariables("%1 %SystemRoot% %% %x y% 100%", {nullptr, [](const std::string& name) {
                                                                  return name == "SystemRoot"
                                                                             ? std::optional<std::string>("W")
                                                                             : std::nullopt;
                                                                }}),
            "%1 W %% %x y% 100%");
  EXPECT_FALSE(HoldsVariable("%1 %2"));
  EXPECT_TRUE(HoldsVariable("a%B%c"));
}

TEST(CommandTargetPresence, ADotInTheArgumentsIsHandledByTheCutAfterTheFirstDot) {
  std::vector<std::string> asked;
  EXPECT_EQ(Look("C:\\WINDOWS\\SYSTEM\\TOOL.EXE shell32.dll,Control_RunDLL", {"C:\\WINDOWS\\SYSTEM\\TOOL.EXE"},
                 &asked),
            kFound);
  EXPECT_EQ(asked, (std::vector<std::string>{"C:\\WINDOWS\\SYSTEM\\TOOL.EXE shell32.dll,Control_RunDLL",
                                             "C:\\WINDOWS\\SYSTEM\\TOOL.EXE shell32.dll",
                                             "C:\\WINDOWS\\SYSTEM\\TOOL.EXE"}));
}

TEST(CommandTargetPresence, LongExtensionsAreCutToThreeLettersWhenAnythingFollows) {
  EXPECT_EQ(Look("C:\\Docs\\page.html", {"C:\\Docs\\page.html"}), kFound);
  EXPECT_EQ(Look("C:\\Docs\\page.html -x", {"C:\\Docs\\page.html"}), kFound) << "the text up to the blank";
  EXPECT_EQ(Look("C:\\Docs\\page.html -x", {"C:\\Docs\\page.htm"}), kFound);
}

TEST(CommandTargetPresence, Rundll32IsJudgedByTheLibraryItLoadsToo) {
  const std::set<std::string> system = {"rundll32.exe", "RUNDLL32.EXE", "C:\\WINDOWS\\system32\\rundll32.exe",
                                        "setupapi.dll", "shell32.dll", "C:\\x\\lib.dll"};
  EXPECT_EQ(Look("rundll32 setupapi,InstallHinfSection", system), kFound);
  EXPECT_EQ(Look("rundll32.exe gone.dll,Entry", system), kMissing);
  EXPECT_EQ(Look("RUNDLL32.EXE \"C:\\x\\lib.dll\",Entry 1", system), kFound);
  EXPECT_EQ(Look("C:\\WINDOWS\\system32\\rundll32.exe C:\\x\\gone.dll,Entry", system), kMissing);
  EXPECT_EQ(Look("\"%SystemRoot%\\system32\\rundll32.exe\" C:\\x\\lib.dll,Entry", system), kFound);
  EXPECT_EQ(Look("\"%SystemRoot%\\system32\\rundll32.exe\" gone,Entry", system), kMissing);
  EXPECT_EQ(Look("rundll32 setupapi,InstallHinfSection", {}), kMissing) << "no rundll32, no library";
  EXPECT_EQ(Look("rundll32.exe shell32.dll Control_RunDLL", system), kFound) << "a blank for the comma";
  EXPECT_EQ(Look("myrundll32.exe gone.dll,Entry", {"myrundll32.exe"}), kFound) << "another program";
  EXPECT_EQ(Look("explorer /e", {}), kMissing) << "no program is accepted by its name alone";
}

TEST(CommandTargetPresence, AProgramWithoutExtensionIsLookedForAsTheSystemStartsIt) {
  std::vector<std::string> asked;
  EXPECT_EQ(Look("C:\\x\\tool /x", {"C:\\x\\tool.exe"}, &asked), kFound);
  EXPECT_EQ(asked.back(), "C:\\x\\tool.exe");
  EXPECT_EQ(Look("C:\\Program Files\\My App\\tool -x", {"C:\\Program Files\\My App\\tool.exe"}), kFound);
  EXPECT_EQ(Look("\"C:\\x\\tool\" -x", {"C:\\x\\tool.exe"}), kFound);
  FakeWorld world({"C:\\x\\run.CMD"});
  world.variables["PATHEXT"] = ".COM;.EXE;.CMD";
  EXPECT_EQ(world.Look("C:\\x\\run /y"), kFound);
  EXPECT_EQ(world.asked, (std::vector<std::string>{"C:\\x\\run /y", "C:\\x\\run.exe", "C:\\x\\run.COM",
                                                   "C:\\x\\run.CMD"}));
  EXPECT_EQ(Look("C:\\x\\tool /x", {}), kMissing);
}

TEST(CommandTargetPresence, ResourceReferencesJudgeTheFile) {
  const std::set<std::string> files = {"C:\\WINDOWS\\system32\\shell32.dll", "C:\\x\\res.dll"};
  EXPECT_EQ(Look("@%SystemRoot%\\system32\\shell32.dll,-21787", files), kFound);
  EXPECT_EQ(Look("@C:\\x\\res.dll,101", files), kFound);
  EXPECT_EQ(Look("@\"C:\\x\\res.dll\",-1", files), kFound);
  EXPECT_EQ(Look("@C:\\x\\gone.dll,-101", files), kMissing);
  EXPECT_EQ(Look("@%SystemRoot%\\system32\\gone.dll,-1", files), kMissing);
  std::vector<std::string> asked;
  EXPECT_EQ(Look("@{Microsoft.App_1.0_x64__8wekyb3d8bbwe?ms-resource://App/Name}", files, &asked), kCannotTell);
  EXPECT_EQ(Look("ms-resource:AppName", files, &asked), kCannotTell);
  EXPECT_TRUE(asked.empty());
}

TEST(CommandTargetPresence, OneReadingThatCannotBeSeenMakesAMissingLineUnknown) {
  FakeWorld world{{}, {"C:\\Locked\\app.exe"}};
  EXPECT_EQ(world.Look("C:\\Locked\\app.exe -x"), kCannotTell);
  world.existing.insert("C:\\Locked\\app.exe -x");
  EXPECT_EQ(world.Look("C:\\Locked\\app.exe -x"), kFound);
}

TEST(CommandTargetPresence, EmptyTextIsMissingAndNeverSearched) {
  std::vector<std::string> asked;
  EXPECT_EQ(Look("", {""}, &asked), kMissing);
  EXPECT_EQ(Look("\"\" -x", {""}, &asked), kMissing) << "nothing in the quotes";
  EXPECT_TRUE(asked.empty());
}

TEST(CommandTargetPresence, LongLinesAreLookedUpWhole) {
  const std::string program = "C:\\" + std::string(284, 'a') + ".exe";  // 291 characters
  EXPECT_EQ(Look(program + " " + std::string(5000, 'x'), {program}), kFound);
  EXPECT_EQ(Look("\"" + program + "\" -x", {}), kMissing);
  const std::string folder = "C:\\" + std::string(300, 'b');
  std::vector<std::string> asked;
  EXPECT_EQ(Look(folder + "\\tool.exe", {folder + "\\tool.exe"}, &asked), kFound);
}

TEST(CommandTargetPresence, OnlyTheTextBeforeAZeroCounts) {
  EXPECT_EQ(Look(std::string("C:\\x.exe\0C:\\y.exe", 17), {"C:\\y.exe"}), kMissing);
  EXPECT_EQ(Look(std::string("C:\\x.exe\0 -x", 12), {"C:\\x.exe"}), kFound);
}

}  // namespace
