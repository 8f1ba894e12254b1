#include "scan/rule_entry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "scan/BaseVer.h"

namespace {

TEST(SplitRuleValue, SplitsAtTheFirstThreeCommas) {
  RuleValue rule = SplitRuleValue("Desc,0,FILE_,a,b");
  EXPECT_EQ(rule.description, "Desc");
  EXPECT_EQ(rule.level_text, "0");
  EXPECT_EQ(rule.check_name, "FILE_");
  EXPECT_EQ(rule.parameter, "a,b");
  EXPECT_TRUE(rule.has_check_field);

  rule = SplitRuleValue("Desc,2,FILE_");
  EXPECT_EQ(rule.check_name, "FILE_");
  EXPECT_FALSE(rule.parameter.has_value());

  EXPECT_EQ(SplitRuleValue("Desc,2,FILE_,").parameter, "");
}

TEST(SplitRuleValue, FewerThanTwoCommasHasNoCheckField) {
  EXPECT_FALSE(SplitRuleValue("").has_check_field);
  EXPECT_FALSE(SplitRuleValue("Only a description").has_check_field);
  RuleValue rule = SplitRuleValue("Desc,1");
  EXPECT_FALSE(rule.has_check_field);
  EXPECT_EQ(rule.description, "Desc");
}

TEST(ParseLevel, DecimalWithSignAndLeadingBlanks) {
  EXPECT_EQ(ParseLevel("2"), 2);
  EXPECT_EQ(ParseLevel("  -3"), -3);
  EXPECT_EQ(ParseLevel("+7"), 7);
  EXPECT_EQ(ParseLevel("2147483647"), 2147483647);
  EXPECT_EQ(ParseLevel("-2147483648"), -2147483647 - 1);
}

TEST(ParseLevel, HexadecimalAfterEachPrefix) {
  EXPECT_EQ(ParseLevel("$10"), 16);
  EXPECT_EQ(ParseLevel("x1f"), 31);
  EXPECT_EQ(ParseLevel("X1F"), 31);
  EXPECT_EQ(ParseLevel("0x2"), 2);
  EXPECT_EQ(ParseLevel("0XfF"), 255);
  EXPECT_EQ(ParseLevel("$FFFFFFFF"), -1);
}

TEST(ParseLevel, AnythingElseIsZero) {
  for (const char* text : {"", "   ", "x", "$", "0x", "2 ", "1a", "--1", "2147483648", "-2147483649", "$100000000",
                           "1.5", "+", "0x-1"})
    EXPECT_EQ(ParseLevel(text), 0) << '"' << text << '"';
}

TEST(LevelNumber, TellsAWrittenZeroFromAFieldThatSpellsNoNumber) {
  for (const char* zero : {"0", " 0", "-0", "+0", "$0", "x0", "0x0", "00"})
    EXPECT_EQ(LevelNumber(zero), 0) << '"' << zero << '"';
  for (const char* text : {"", "   ", "x", "2 ", "1a", "2147483648", "$100000000"})
    EXPECT_EQ(LevelNumber(text), std::nullopt) << '"' << text << '"';
  EXPECT_EQ(LevelNumber("$FFFFFFFF"), -1);
}

// Which routine each name reaches is shown by the checks' own tests, which
// run them through knowledge-base entries.
TEST(FindCheck, FifteenDistinctRoutinesFoundIgnoringAsciiCaseOnly) {
  const char* names[] = {"PROGIDDEF_", "DIRDEF_",  "FILE_",     "FILEDEF_",  "LN_",
                         "LD_",        "ND_",      "DN_",       "CLSID_K_",  "CLSID_D_",
                         "CLSID_",     "CLSID_LN_", "CLSID_LD_", "INTRFC_K_", "TLB_D_"};
  std::vector<TINISectionVarClass::CheckRoutine> routines;
  for (const char* name : names) {
    const TINISectionVarClass::CheckRoutine routine = TINISectionVarClass::FindCheck(name);
    ASSERT_TRUE(routine != nullptr) << name;
    EXPECT_TRUE(std::find(routines.begin(), routines.end(), routine) == routines.end()) << name << " is not its own";
    routines.push_back(routine);
    std::string lower(name);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_TRUE(TINISectionVarClass::FindCheck(lower) == routine) << lower;
  }
  EXPECT_EQ(routines.size(), 15u);
  for (const char* wrong : {" FILE_", "FILE_ ", "FILE", "CLSID", "", "FILEDEF"})
    EXPECT_TRUE(TINISectionVarClass::FindCheck(wrong) == nullptr) << '"' << wrong << '"';
}

TEST(FindCheckDefinition, OnlyTheChecksOfANamedValueNeedAParameter) {
  std::vector<std::string> needing;
  for (const char* name : {"PROGIDDEF_", "DIRDEF_", "FILE_", "FILEDEF_", "LN_", "LD_", "ND_", "DN_", "CLSID_K_",
                           "CLSID_D_", "CLSID_", "CLSID_LN_", "CLSID_LD_", "INTRFC_K_", "TLB_D_"}) {
    const TINISectionVarClass::CheckDefinition* check = TINISectionVarClass::FindCheckDefinition(name);
    ASSERT_NE(check, nullptr) << name;
    EXPECT_EQ(check->name, std::string(name));
    if (check->needs_parameter) needing.push_back(name);
  }
  EXPECT_EQ(needing, (std::vector<std::string>{"FILE_", "CLSID_"}));
}

}  // namespace
