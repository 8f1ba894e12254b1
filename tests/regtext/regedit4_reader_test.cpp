#include "regtext/regedit4_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory_registry.h"
#include "support/reg_value_print.h"
#include "platform/root_keys.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes BytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

std::string Doc(const std::string& body) { return "REGEDIT4\r\n\r\n" + body; }

// The one value of the one key of a document.
RegValue OnlyValue(const std::string& value_lines) {
  const std::vector<RegTextKey> keys = ParseRegedit4(Doc("[HKEY_CURRENT_USER\\K]\r\n" + value_lines + "\r\n"));
  EXPECT_EQ(keys.size(), 1u);
  EXPECT_EQ(keys.at(0).values.size(), 1u);
  return keys.at(0).values.at(0).value.value_or(RegValue{0xFFFFFFFF, {}});
}

TEST(Regedit4Reader, ReadsKeyBlocksInOrderWithTheirValues) {
  const std::vector<RegTextKey> keys = ParseRegedit4(
      "REGEDIT4\r\n\r\n"
      "; a comment\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Example]\r\n"
      "@=\"C:\\\\App\\\\app.exe\"\r\n"
      "\"Count\"=dword:0000000A\r\n"
      "\"Blob\"=hex:01,02,03\r\n"
      "\r\n"
      "[-HKEY_CURRENT_USER\\Old\\Branch]\r\n"
      "\r\n"
      "[HKEY_CLASSES_ROOT]\r\n"
      "\"Gone\"=-\r\n"
      "@=-\r\n");
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_EQ(keys[0].path, "HKEY_LOCAL_MACHINE\\Software\\Example");
  EXPECT_EQ(keys[0].root, kHkeyLocalMachine);
  EXPECT_EQ(keys[0].subpath, "Software\\Example");
  EXPECT_FALSE(keys[0].remove);
  EXPECT_EQ(keys[0].line, 4);
  ASSERT_EQ(keys[0].values.size(), 3u);
  EXPECT_EQ(keys[0].values[0].name, "");
  EXPECT_EQ(keys[0].values[0].value, (RegValue{kRegSz, BytesOf(std::string("C:\\App\\app.exe", 15))}));
  EXPECT_EQ(keys[0].values[1].name, "Count");
  EXPECT_EQ(keys[0].values[1].value, (RegValue{kRegDword, {0x0A, 0, 0, 0}}));
  EXPECT_EQ(keys[0].values[2].value, (RegValue{kRegBinary, {1, 2, 3}}));
  EXPECT_EQ(keys[0].values[2].line, 7);

  EXPECT_TRUE(keys[1].remove);
  EXPECT_EQ(keys[1].root, kHkeyCurrentUser);
  EXPECT_EQ(keys[1].subpath, "Old\\Branch");
  EXPECT_TRUE(keys[1].values.empty());

  EXPECT_EQ(keys[2].root, kHkeyClassesRoot);
  EXPECT_EQ(keys[2].subpath, "");
  ASSERT_EQ(keys[2].values.size(), 2u);
  EXPECT_EQ(keys[2].values[0].name, "Gone");
  EXPECT_FALSE(keys[2].values[0].value.has_value());
  EXPECT_EQ(keys[2].values[1].name, "");
  EXPECT_FALSE(keys[2].values[1].value.has_value());
}

TEST(Regedit4Reader, StringsAndNamesUnescapeBackslashAndQuoteOnly) {
  const std::vector<RegTextKey> keys =
      ParseRegedit4(Doc("[HKEY_CURRENT_USER\\K]\n\"a\\\\b \\\"q\\\"\"=\"x\\\\y \\\"z\\\" %P% \xE9\"\n"));
  ASSERT_EQ(keys.at(0).values.size(), 1u);
  EXPECT_EQ(keys[0].values[0].name, "a\\b \"q\"");
  EXPECT_EQ(keys[0].values[0].value, (RegValue{kRegSz, BytesOf(std::string("x\\y \"z\" %P% \xE9", 14))}));
  EXPECT_EQ(OnlyValue("@=\"\""), (RegValue{kRegSz, {0}}));
  EXPECT_EQ(OnlyValue("\"\"=\"\""), (RegValue{kRegSz, {0}}));  // "" is the default value's name too
}

TEST(Regedit4Reader, EveryDataForm) {
  EXPECT_EQ(OnlyValue("\"n\"=dword:FFFFFFFF"), (RegValue{kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}}));
  EXPECT_EQ(OnlyValue("\"n\"=dword:12345678"), (RegValue{kRegDword, {0x78, 0x56, 0x34, 0x12}}));
  EXPECT_EQ(OnlyValue("\"n\"=dword:a"), (RegValue{kRegDword, {0x0A, 0, 0, 0}}));
  EXPECT_EQ(OnlyValue("\"n\"=hex:"), (RegValue{kRegBinary, {}}));
  EXPECT_EQ(OnlyValue("\"n\"=hex:00,ff,0A"), (RegValue{kRegBinary, {0x00, 0xFF, 0x0A}}));
  EXPECT_EQ(OnlyValue("\"n\"=hex:1, 2 ,3"), (RegValue{kRegBinary, {1, 2, 3}}));
  EXPECT_EQ(OnlyValue("\"n\"=hex(0):"), (RegValue{kRegNone, {}}));
  EXPECT_EQ(OnlyValue("\"n\"=hex(2):25,00"), (RegValue{kRegExpandSz, {0x25, 0}}));
  EXPECT_EQ(OnlyValue("\"n\"=hex(1):61,62"), (RegValue{kRegSz, {0x61, 0x62}}));
  EXPECT_EQ(OnlyValue("\"n\"=hex(7):61,00,00"), (RegValue{kRegMultiSz, {0x61, 0, 0}}));
  EXPECT_EQ(OnlyValue("\"n\"=hex(b):01,00,00,00,00,00,00,00"), (RegValue{kRegQword, {1, 0, 0, 0, 0, 0, 0, 0}}));
  EXPECT_EQ(OnlyValue("\"n\"=hex(1234):78"), (RegValue{0x1234, {0x78}}));
  EXPECT_EQ(OnlyValue("\"n\"=hex(FFFFFFFF):"), (RegValue{0xFFFFFFFF, {}}));
  EXPECT_EQ(OnlyValue("  @=dword:00000001  \t"), (RegValue{kRegDword, {1, 0, 0, 0}}));
}

TEST(Regedit4Reader, HexListsContinueAfterABackslash) {
  Bytes thirty;
  for (int i = 0; i < 30; ++i) thirty.push_back(static_cast<std::uint8_t>(i));
  EXPECT_EQ(OnlyValue("\"Data\"=hex:00,01,02,03,04,05,06,07,08,09,0A,0B,0C,0D,0E,0F,10,11,12,13,14,15,16,\\\r\n"
                      "  17,18,19,1A,1B,1C,1D"),
            (RegValue{kRegBinary, thirty}));
  EXPECT_EQ(OnlyValue("\"n\"=hex(7):\\\n\t61,\\\n 00,\\  \n00"), (RegValue{kRegMultiSz, {0x61, 0, 0}}));
  // A value after a continued one belongs to the same key.
  const std::vector<RegTextKey> keys =
      ParseRegedit4(Doc("[HKEY_USERS\\K]\n\"a\"=hex:01,\\\n 02\n\"b\"=dword:00000002\n"));
  ASSERT_EQ(keys.at(0).values.size(), 2u);
  EXPECT_EQ(keys[0].values[1].line, 6);
}

TEST(Regedit4Reader, LineBreaksMayBeCrLfLfOrCr) {
  const std::string body = "REGEDIT4|[HKEY_CURRENT_USER\\K]|\"a\"=hex:01,\\| 02|; note||\"b\"=\"x\"|";
  std::vector<RegTextKey> expected;
  for (const std::string newline : {"\r\n", "\n", "\r"}) {
    std::string text;
    for (char c : body) text += c == '|' ? newline : std::string(1, c);
    const std::vector<RegTextKey> keys = ParseRegedit4(text);
    ASSERT_EQ(keys.size(), 1u);
    ASSERT_EQ(keys[0].values.size(), 2u);
    EXPECT_EQ(keys[0].values[0].value, (RegValue{kRegBinary, {1, 2}}));
    EXPECT_EQ(keys[0].values[1].line, 7);
  }
  // The last line needs no line break; a key with no lines below it is fine.
  EXPECT_EQ(ParseRegedit4("REGEDIT4\n[HKEY_CURRENT_USER\\K]").size(), 1u);
}

TEST(Regedit4Reader, KeyPathsAreTakenAsWritten) {
  const std::vector<RegTextKey> keys =
      ParseRegedit4(Doc("  [HKEY_CURRENT_USER\\Key ]with] \\\"x\"]  \n[HKEY_DYN_DATA\\a;b]\n"));
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[0].subpath, "Key ]with] \\\"x\"");
  EXPECT_EQ(keys[1].root, kHkeyDynData);
  EXPECT_EQ(keys[1].subpath, "a;b");
}

struct BadText {
  std::string text;
  int line;
  std::string message;
};

TEST(Regedit4Reader, RejectsMalformedTextNamingTheLine) {
  const std::string key = "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n";
  const std::vector<BadText> cases = {
      {"", 1, "REGEDIT4"},
      {"REGEDIT4 \n", 1, "REGEDIT4"},
      {"\xEF\xBB\xBFREGEDIT4\n", 1, "REGEDIT4"},
      {"Windows Registry Editor Version 5.00\n", 1, "REGEDIT4"},
      {"REGEDIT4\n\"a\"=\"b\"\n", 2, "before the first key"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\K\n", 2, "closing ]"},
      {"REGEDIT4\n[HKCU\\K]\n", 2, "unknown root key"},
      {"REGEDIT4\n[hkey_current_user\\K]\n", 2, "unknown root key"},
      {"REGEDIT4\n[-HKEY_CURRENT_USER]\n", 2, "root key cannot be deleted"},
      {"REGEDIT4\n[-HKEY_CURRENT_USER\\K]\n\"a\"=\"b\"\n", 3, "below a key deletion"},
      {key + "junk\n", 3, "expected a [key] line"},
      {key + "\"a\"=\"b\n", 3, "unterminated string"},
      {key + "\"a=\"b\"\n", 3, "expected ="},
      {key + "\"a\n", 3, "unterminated value name"},
      {key + "\"a\"=\"b\\n\"\n", 3, "unknown escape"},
      {key + "\"a\"=\"b\" x\n", 3, "unexpected text after the data"},
      {key + "\"a\" = \"b\"\n", 3, "expected ="},
      {key + "\"a\"=str:1\n", 3, "unknown data"},
      {key + "\"a\"=DWORD:00000001\n", 3, "unknown data"},
      {key + "\"a\"=dword:\n", 3, "needs hex digits"},
      {key + "\"a\"=dword:123456789\n", 3, "more than 8"},
      {key + "\"a\"=dword:0000000g\n", 3, "unexpected text"},
      {key + "\"a\"=hex(7:00\n", 3, "expected )"},
      {key + "\"a\"=hex()\n", 3, "needs hex digits"},
      {key + "\"a\"=hex(2)00\n", 3, "expected :"},
      {key + "\"a\"=hex:0x\n", 3, "comma between"},
      {key + "\"a\"=hex:001\n", 3, "comma between"},
      {key + "\"a\"=hex:01,,02\n", 3, "expected a hex byte"},
      {key + "\"a\"=hex:01,02,\n", 3, "ends with a comma"},
      {key + "\"a\"=hex:01\\\n02\n", 3, "comma before the continuation"},
      {key + "\"a\"=hex:01,\\ x\n02\n", 3, "after the continuation"},
      {key + "\"a\"=hex:01,\\\n", 3, "past the end"},
      {key + "\"a\"=hex:01,\\\n\n", 4, "ends with a comma"},
      {key + "\"a\"=hex:01,\\\n; comment\n", 4, "expected a hex byte"},
  };
  for (const BadText& bad : cases) {
    try {
      ParseRegedit4(bad.text);
      ADD_FAILURE() << "accepted: " << bad.text;
    } catch (const RegTextError& error) {
      EXPECT_EQ(error.Line(), bad.line) << bad.text;
      EXPECT_NE(std::string(error.what()).find(bad.message), std::string::npos) << error.what();
      EXPECT_EQ(std::string(error.what()).rfind("line " + std::to_string(bad.line) + ": ", 0), 0u) << error.what();
    }
  }
}

TEST(Regedit4Reader, ImportCreatesKeysSetsAndDeletesValuesAndKeys) {
  MemoryRegistry registry;
  ImportRegText(registry,
                "REGEDIT4\r\n\r\n"
                "[HKEY_CURRENT_USER\\Old\\Branch\\Leaf]\r\n"
                "[HKEY_CURRENT_USER\\Keep]\r\n"
                "\"drop\"=dword:00000001\r\n"
                "\"stay\"=dword:00000002\r\n");
  ImportRegText(registry,
                "REGEDIT4\r\n\r\n"
                "[-HKEY_CURRENT_USER\\Old]\r\n"
                "[-HKEY_CURRENT_USER\\Never\\Existed]\r\n"
                "[HKEY_CURRENT_USER\\Keep]\r\n"
                "\"drop\"=-\r\n"
                "\"missing\"=-\r\n"
                "@=\"default\"\r\n"
                "\"stay\"=hex(4):03,00,00,00\r\n"
                "[HKEY_LOCAL_MACHINE\\A\\B]\r\n");
  EXPECT_EQ(registry.OpenRead(kHkeyCurrentUser, "Old"), nullptr);
  std::unique_ptr<RegKey> keep = registry.OpenRead(kHkeyCurrentUser, "Keep");
  ASSERT_NE(keep, nullptr);
  EXPECT_EQ(keep->ValueNames(), (std::vector<std::string>{"", "stay"}));
  EXPECT_EQ(keep->QueryValue(""), (RegValue{kRegSz, BytesOf(std::string("default", 8))}));
  EXPECT_EQ(keep->QueryValue("stay"), (RegValue{kRegDword, {3, 0, 0, 0}}));
  EXPECT_NE(registry.OpenRead(kHkeyLocalMachine, "A\\B"), nullptr);
}

TEST(Regedit4Reader, TheEditorEndsTextTypesWithAZero) {
  EXPECT_EQ(AsTheEditorStoresIt({kRegSz, {0x61, 0x62}}), (RegValue{kRegSz, {0x61, 0x62, 0}}));
  EXPECT_EQ(AsTheEditorStoresIt({kRegExpandSz, {0x25}}), (RegValue{kRegExpandSz, {0x25, 0}}));
  EXPECT_EQ(AsTheEditorStoresIt({kRegMultiSz, {0x61, 0, 0x62}}), (RegValue{kRegMultiSz, {0x61, 0, 0x62, 0}}));
  EXPECT_EQ(AsTheEditorStoresIt({kRegMultiSz, {0x61, 0}}), (RegValue{kRegMultiSz, {0x61, 0}}));
  EXPECT_EQ(AsTheEditorStoresIt({kRegSz, {}}), (RegValue{kRegSz, {}}));
  EXPECT_EQ(AsTheEditorStoresIt({kRegBinary, {0x61}}), (RegValue{kRegBinary, {0x61}}));
  EXPECT_EQ(AsTheEditorStoresIt({kRegNone, {0x61}}), (RegValue{kRegNone, {0x61}}));

  MemoryRegistry registry;
  ImportRegText(registry, "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"t\"=hex(1):61,62\n");
  EXPECT_EQ(registry.OpenRead(kHkeyCurrentUser, "K")->QueryValue("t"), (RegValue{kRegSz, {0x61, 0x62, 0}}));
}

TEST(Regedit4Reader, ImportChangesNothingWhenTheTextIsMalformed) {
  MemoryRegistry registry;
  EXPECT_THROW(ImportRegText(registry, "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"a\"=dword:1\n\"b\"=bad\n"), RegTextError);
  EXPECT_EQ(registry.OpenRead(kHkeyCurrentUser, "K"), nullptr);
}

TEST(Regedit4Reader, ImportReportsAValueTheRegistryRefuses) {
  MemoryRegistry registry;
  const std::string text = "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"" + std::string(16384, 'n') + "\"=dword:1\n";
  try {
    ImportRegText(registry, text);
    ADD_FAILURE() << "a refused value went unreported";
  } catch (const RegTextError& error) {
    EXPECT_EQ(error.Line(), 3);
  }
}

}  // namespace
