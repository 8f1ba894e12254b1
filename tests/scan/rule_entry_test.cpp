#include "scan/rule_entry.h"

#include <gtest/gtest.h>

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

TEST(FindCheck, EachNameFindsItsOwnRoutineIgnoringAsciiCase) {
  const std::pair<const char*, TINISectionVarClass::CheckRoutine> table[] = {
      {"PROGIDDEF_", &TINISectionVarClass::PROGIDDEF_}, {"DIRDEF_", &TINISectionVarClass::DIRDEF_},
      {"FILE_", &TINISectionVarClass::FILE_},           {"FILEDEF_", &TINISectionVarClass::FILEDEF_},
      {"LN_", &TINISectionVarClass::LN_},               {"LD_", &TINISectionVarClass::LD_},
      {"ND_", &TINISectionVarClass::ND_},               {"DN_", &TINISectionVarClass::DN_},
      {"CLSID_K_", &TINISectionVarClass::CLSID_K_},     {"CLSID_D_", &TINISectionVarClass::CLSID_D_},
      {"CLSID_", &TINISectionVarClass::CLSID_},         {"CLSID_LN_", &TINISectionVarClass::CLSID_LN_},
      {"CLSID_LD_", &TINISectionVarClass::CLSID_LD_},   {"INTRFC_K_", &TINISectionVarClass::INTRFC_K_},
      {"TLB_D_", &TINISectionVarClass::TLB_D_},
  };
  for (const auto& [name, routine] : table) {
    EXPECT_TRUE(TINISectionVarClass::FindCheck(name) == routine) << name;
    std::string lower(name);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_TRUE(TINISectionVarClass::FindCheck(lower) == routine) << lower;
  }
  for (const char* wrong : {" FILE_", "FILE_ ", "FILE", "CLSID", "", "FILEDEF"})
    EXPECT_TRUE(TINISectionVarClass::FindCheck(wrong) == nullptr) << '"' << wrong << '"';
}

}  // namespace
