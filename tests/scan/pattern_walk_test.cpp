// The walk, observed through CLSID_K_: with no classes registered it
// reports every key it is called for (below the first level).
#include <gtest/gtest.h>

#include "scan/scan_fixture.h"

namespace {

using Strings = std::vector<std::string>;

class PatternWalkTest : public ScanFixture {
 protected:
  Strings Visited(const std::string& entry_name) {
    Strings paths;
    for (const std::string& problem : ScanWith(entry_name + "=Walk,0,CLSID_K_\n"))
      paths.push_back(problem.substr(0, problem.find(':')));
    return paths;
  }
};

TEST_F(PatternWalkTest, AWildcardFirstSkipsTheClassTablesAndTheStarKey) {
  SetRegistry(
      "[HKEY_CLASSES_ROOT\\*\\shell\\open\\command]\n"
      "[HKEY_CLASSES_ROOT\\txtfile\\shell\\open\\command]\n"
      "[HKEY_CLASSES_ROOT\\clsid\\shell\\open\\command]\n"
      "[HKEY_CLASSES_ROOT\\Interface\\shell\\open\\command]\n"
      "[HKEY_CLASSES_ROOT\\TYPELIB\\shell\\open\\command]\n"
      "[HKEY_CLASSES_ROOT\\nocommand\\shell]\n"
      "[HKEY_CLASSES_ROOT\\zfile\\shell\\open\\command]\n");
  EXPECT_EQ(Visited("HKEY_CLASSES_ROOT\\*\\shell\\open\\command"),
            (Strings{"HKEY_CLASSES_ROOT\\txtfile\\shell\\open\\command",
                     "HKEY_CLASSES_ROOT\\zfile\\shell\\open\\command"}));
}

TEST_F(PatternWalkTest, TheTablesOfTheClassesRootAreNoProgIds) {
  SetRegistry(
      "[HKEY_CLASSES_ROOT\\AppID\\CLSID]\n"
      "[HKEY_CLASSES_ROOT\\applications\\CLSID]\n"
      "[HKEY_CLASSES_ROOT\\SystemFileAssociations\\CLSID]\n"
      "[HKEY_CLASSES_ROOT\\Component Categories\\CLSID]\n"
      "[HKEY_CLASSES_ROOT\\MIME\\CLSID]\n"
      "[HKEY_CLASSES_ROOT\\Some.ProgID\\CLSID]\n");
  EXPECT_EQ(Visited("HKEY_CLASSES_ROOT\\*\\CLSID"), Strings{"HKEY_CLASSES_ROOT\\Some.ProgID\\CLSID"});
}

TEST_F(PatternWalkTest, NoWildcardLevelEntersTheOtherRegistryView) {
  SetRegistry(
      "[HKEY_CLASSES_ROOT\\Wow6432Node\\CLSID]\n"
      "@=\"ClassMoniker\"\n"
      "[HKEY_CLASSES_ROOT\\Wow6432Node\\CLSID\\{A}\\InprocServer32]\n"
      "[HKEY_CLASSES_ROOT\\CLSID\\WOW6432NODE\\InprocServer32]\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Wow6432Node]\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Vendor]\n");
  EXPECT_EQ(Visited("HKEY_CLASSES_ROOT\\*\\CLSID"), Strings{});
  EXPECT_EQ(Visited("HKEY_CLASSES_ROOT\\CLSID\\*\\InprocServer32"), Strings{});
  EXPECT_EQ(Visited("HKEY_LOCAL_MACHINE\\Software\\*"), Strings{"HKEY_LOCAL_MACHINE\\Software\\Vendor"});
  EXPECT_EQ(Visited("HKEY_CLASSES_ROOT\\Wow6432Node\\CLSID\\*\\InprocServer32"),
            Strings{"HKEY_CLASSES_ROOT\\Wow6432Node\\CLSID\\{A}\\InprocServer32"})
      << "named literally, it is walked";
}

TEST_F(PatternWalkTest, TheExclusionActsAtTheFirstWildcardLevelOnly) {
  SetRegistry(
      "[HKEY_CURRENT_USER\\S\\a\\CLSID\\x]\n"
      "[HKEY_CURRENT_USER\\S\\CLSID\\CLSID\\x]\n");
  EXPECT_EQ(Visited("HKEY_CURRENT_USER\\S\\*\\*\\x"), Strings{"HKEY_CURRENT_USER\\S\\a\\CLSID\\x"});
}

TEST_F(PatternWalkTest, AWildcardLastVisitsEverySubkeyAndExcludesNothing) {
  SetRegistry(
      "[HKEY_LOCAL_MACHINE\\App Paths\\b.exe]\n"
      "[HKEY_LOCAL_MACHINE\\App Paths\\CLSID]\n"
      "[HKEY_LOCAL_MACHINE\\App Paths\\a.exe]\n");
  EXPECT_EQ(Visited("HKEY_LOCAL_MACHINE\\App Paths\\*"),
            (Strings{"HKEY_LOCAL_MACHINE\\App Paths\\a.exe", "HKEY_LOCAL_MACHINE\\App Paths\\b.exe",
                     "HKEY_LOCAL_MACHINE\\App Paths\\CLSID"}));
}

TEST_F(PatternWalkTest, AWildcardInTheMiddleVisitsOnlyKeysThatHaveTheRest) {
  SetRegistry(
      "[HKEY_CLASSES_ROOT\\CLSID\\{A}\\InprocServer32]\n"
      "[HKEY_CLASSES_ROOT\\CLSID\\{B}]\n"
      "[HKEY_CLASSES_ROOT\\CLSID\\{C}\\InprocServer32]\n");
  EXPECT_EQ(Visited("HKEY_CLASSES_ROOT\\CLSID\\*\\InprocServer32"),
            (Strings{"HKEY_CLASSES_ROOT\\CLSID\\{A}\\InprocServer32",
                     "HKEY_CLASSES_ROOT\\CLSID\\{C}\\InprocServer32"}));
}

TEST_F(PatternWalkTest, APatternWithoutWildcardIsCheckedAtMostOnce) {
  SetRegistry("[HKEY_CURRENT_USER\\Software\\A]\n");
  EXPECT_EQ(Visited("HKEY_CURRENT_USER\\Software\\A"), Strings{"HKEY_CURRENT_USER\\Software\\A"});
  EXPECT_TRUE(Visited("HKEY_CURRENT_USER\\Software\\Missing").empty());
  EXPECT_TRUE(Visited("HKEY_CURRENT_USER\\Missing\\*").empty());
  EXPECT_TRUE(Visited("HKLM\\Software\\A").empty()) << "an unknown root name opens nothing";
}

TEST_F(PatternWalkTest, NamesFoundByAWildcardAreTakenLiterally) {
  SetRegistry(
      "[HKEY_CURRENT_USER\\S\\a*b\\x]\n"
      "[HKEY_CURRENT_USER\\S\\c\\x]\n");
  EXPECT_EQ(Visited("HKEY_CURRENT_USER\\S\\*\\x"),
            (Strings{"HKEY_CURRENT_USER\\S\\a*b\\x", "HKEY_CURRENT_USER\\S\\c\\x"}));
}

TEST_F(PatternWalkTest, ADoubledStarEnumeratesTheSubkeysOfTheKeyNamedStar) {
  SetRegistry(
      "[HKEY_CLASSES_ROOT\\*\\a\\shellex]\n"
      "[HKEY_CLASSES_ROOT\\*\\b]\n"
      "[HKEY_CLASSES_ROOT\\txtfile\\shellex]\n");
  EXPECT_EQ(Visited("HKEY_CLASSES_ROOT\\**\\shellex"), Strings{"HKEY_CLASSES_ROOT\\*\\a\\shellex"});
  EXPECT_EQ(Visited("HKEY_CLASSES_ROOT\\**"), (Strings{"HKEY_CLASSES_ROOT\\*\\a", "HKEY_CLASSES_ROOT\\*\\b"}));
}

TEST_F(PatternWalkTest, AStarJoinedToOtherCharactersIsPartOfTheName) {
  SetRegistry("[HKEY_CURRENT_USER\\S\\a*\\x]\n[HKEY_CURRENT_USER\\S\\ab\\x]\n");
  EXPECT_EQ(Visited("HKEY_CURRENT_USER\\S\\a*\\x"), Strings{"HKEY_CURRENT_USER\\S\\a*\\x"});
}

}  // namespace
