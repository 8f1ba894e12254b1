#include "regtext/regedit4_writer.h"

#include <gtest/gtest.h>

#include <numeric>
#include "support/reg_bytes.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }
Bytes Counting(std::size_t count) {
  Bytes bytes(count);
  std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
  return bytes;
}

RegDocument Lines(const std::string& name, const RegValue& value) {
  RegDocument document;
  WriteValue(document, 0, name, value);
  return document;
}

std::string Line(const std::string& name, const RegValue& value) {
  const RegDocument document = Lines(name, value);
  EXPECT_EQ(document.size(), 1u);
  return document.empty() ? std::string() : document[0];
}

TEST(ReplaceAllTest, ReplacesEveryMatchWithoutOverlap) {
  EXPECT_EQ(ReplaceAll("aaaa", "aa", "b"), "bb");
  EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
  EXPECT_EQ(ReplaceAll("x\\y\\", "\\", "\\\\"), "x\\\\y\\\\");
  EXPECT_EQ(ReplaceAll("none", "q", "r"), "none");
  EXPECT_EQ(ReplaceAll("ab", "ab", ""), "");
  EXPECT_EQ(ReplaceAll("ab", "", "x"), "ab");
}

TEST(EscapeRegTextTest, EscapesBackslashAndQuoteOnly) {
  EXPECT_EQ(EscapeRegText("a\\b"), "a\\\\b");
  EXPECT_EQ(EscapeRegText("say \"hi\""), "say \\\"hi\\\"");
  EXPECT_EQ(EscapeRegText("\\\""), "\\\\\\\"");
  EXPECT_EQ(EscapeRegText("%SystemRoot% 100% ;=[]"), "%SystemRoot% 100% ;=[]");
}

TEST(BinaryToHexListTest, UpperCasePairsJoinedByCommas) {
  const Bytes bytes{0x00, 0x1A, 0xFF};
  EXPECT_EQ(BinaryToHexList(bytes.data(), bytes.size()), "00,1A,FF");
  EXPECT_EQ(BinaryToHexList(bytes.data(), 0), "");
}

TEST(WriteValueTest, StringLines) {
  EXPECT_EQ(Line("a\\b", {kRegSz, Sz("x\\y")}), "\"a\\\\b\"=\"x\\\\y\"");
  EXPECT_EQ(Line("", {kRegSz, Sz("C:\\Windows\\notepad.exe")}),
            "@=\"C:\\\\Windows\\\\notepad.exe\"");
  EXPECT_EQ(Line("q\"n", {kRegSz, Sz("say \"hi\"")}), "\"q\\\"n\"=\"say \\\"hi\\\"\"");
  EXPECT_EQ(Line("Empty", {kRegSz, Sz("")}), "\"Empty\"=\"\"");
}

TEST(WriteValueTest, StringsAStringLineCannotHoldGoAsHex1) {
  EXPECT_EQ(Line("crlf", {kRegSz, Sz("a\r\n[HKEY_X]")}),
            "\"crlf\"=hex(1):61,0D,0A,5B,48,4B,45,59,5F,58,5D,00");
  EXPECT_EQ(Line("zero", {kRegSz, Text(std::string("a\0b\0", 4))}), "\"zero\"=hex(1):61,00,62,00");
  EXPECT_EQ(Line("open", {kRegSz, Text("ab")}), "\"open\"=hex(1):61,62");
  EXPECT_EQ(Line("none", {kRegSz, {}}), "\"none\"=hex(1):");
  EXPECT_EQ(Line("", {kRegSz, {}}), "\"\"=hex(1):");
}

TEST(WriteValueTest, ExpandableStringKeepsItsTypeAndBytes) {
  EXPECT_EQ(Line("Path", {kRegExpandSz, Sz("%A%\\b")}), "\"Path\"=hex(2):25,41,25,5C,62,00");
}

TEST(WriteValueTest, DwordLines) {
  EXPECT_EQ(Line("Flags", {kRegDword, {0xFF, 0, 0, 0}}), "\"Flags\"=dword:000000FF");
  EXPECT_EQ(Line("Max", {kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}}), "\"Max\"=dword:FFFFFFFF");
  EXPECT_EQ(Line("Order", {kRegDword, {0x78, 0x56, 0x34, 0x12}}), "\"Order\"=dword:12345678");
  EXPECT_EQ(Line("", {kRegDword, {1, 0, 0, 0}}), "\"\"=dword:00000001");
  EXPECT_EQ(Line("Short", {kRegDword, {1, 2, 3}}), "\"Short\"=hex(4):01,02,03");
  EXPECT_EQ(Line("Long", {kRegDword, {1, 2, 3, 4, 5}}), "\"Long\"=hex(4):01,02,03,04,05");
}

TEST(WriteValueTest, EveryOtherTypeAsHexWithItsNumber) {
  EXPECT_EQ(Line("", {kRegBinary, {1, 2}}), "\"\"=hex:01,02");
  EXPECT_EQ(Line("Empty", {kRegBinary, {}}), "\"Empty\"=hex:");
  EXPECT_EQ(Line("Zeros", {kRegBinary, {0, 0, 0}}), "\"Zeros\"=hex:00,00,00");
  EXPECT_EQ(Line("None", {kRegNone, {7}}), "\"None\"=hex(0):07");
  EXPECT_EQ(Line("Multi", {kRegMultiSz, {'a', 0, 0}}), "\"Multi\"=hex(7):61,00,00");
  EXPECT_EQ(Line("Big", {kRegDwordBigEndian, {0, 0, 0, 1}}), "\"Big\"=hex(5):00,00,00,01");
  EXPECT_EQ(Line("Q", {kRegQword, {1, 0, 0, 0, 0, 0, 0, 0}}), "\"Q\"=hex(b):01,00,00,00,00,00,00,00");
  EXPECT_EQ(Line("Odd", {0xABCDEF12u, {9}}), "\"Odd\"=hex(abcdef12):09");
}

TEST(WriteValueTest, NameWithLineBreakWritesNothing) {
  RegDocument document{"a", "b"};
  EXPECT_EQ(WriteValue(document, 1, "x\ny", {kRegSz, Sz("v")}), 0);
  EXPECT_EQ(WriteValue(document, 1, "x\ry", {kRegBinary, {}}), 0);
  EXPECT_EQ(document, (RegDocument{"a", "b"}));
}

TEST(WriteValueTest, InsertsAtTheIndexAndReturnsTheLastLine) {
  RegDocument document{"[K]", ""};
  int index = 1;
  index = WriteValue(document, index, "one", {kRegDword, {1, 0, 0, 0}}) + 1;
  index = WriteValue(document, index, "two", {kRegBinary, Counting(30)}) + 1;
  EXPECT_EQ(index, 4);
  EXPECT_EQ(WriteValue(document, 1, "zero", {kRegSz, Sz("0")}), 1);
  ASSERT_EQ(document.size(), 6u);
  EXPECT_EQ(document[1], "\"zero\"=\"0\"");
  EXPECT_EQ(document[2], "\"one\"=dword:00000001");
  EXPECT_EQ(document[5], "");
}

// Name "Data": the prefix "Data"=hex: is 11 characters, so 23 bytes fit on
// the first line.
TEST(WriteBinaryValueTest, WrapsAfterTheFirstLineCapacity) {
  const std::string first23 =
      "\"Data\"=hex:00,01,02,03,04,05,06,07,08,09,0A,0B,0C,0D,0E,0F,10,11,12,13,14,15,16";
  EXPECT_EQ(Lines("Data", {kRegBinary, Counting(23)}), RegDocument{first23});

  const RegDocument two = Lines("Data", {kRegBinary, Counting(24)});
  EXPECT_EQ(two, (RegDocument{first23 + ",\\", " 17"}));
  EXPECT_EQ(two[0].size(), 81u);

  EXPECT_EQ(Lines("Data", {kRegBinary, Counting(30)}),
            (RegDocument{first23 + ",\\", " 17,18,19,1A,1B,1C,1D"}));

  const RegDocument full = Lines("Data", {kRegBinary, Counting(49)});
  ASSERT_EQ(full.size(), 2u);
  EXPECT_EQ(full[1].size(), 78u);
  EXPECT_EQ(full[1].substr(full[1].size() - 3), ",30");

  const RegDocument three = Lines("Data", {kRegBinary, Counting(50)});
  ASSERT_EQ(three.size(), 3u);
  EXPECT_EQ(three[1].size(), 80u);
  EXPECT_EQ(three[1].substr(three[1].size() - 2), ",\\");
  EXPECT_EQ(three[2], " 31");
}

TEST(WriteBinaryValueTest, LongPrefixPutsOneByteOnTheFirstLine) {
  const std::string name70(70, 'n');  // prefix of 78 characters
  const RegDocument lines = Lines(name70, {kRegBinary, Counting(28)});
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "\"" + name70 + "\"=hex:00,\\");
  EXPECT_EQ(lines[1].size(), 80u);
  EXPECT_EQ(lines[2], " 1B");
  EXPECT_EQ(Lines(std::string(100, 'n'), {kRegBinary, {5}}).size(), 1u);
  EXPECT_EQ(Lines(std::string(66, 'n'), {kRegBinary, Counting(2)}).size(), 1u);  // p = 74
  EXPECT_EQ(Lines(std::string(66, 'n'), {kRegBinary, Counting(3)}).size(), 2u);
}

TEST(WriteBinaryValueTest, TypedHexWrapsByItsOwnPrefix) {
  // "Data"=hex(7): is 14 characters: 22 bytes on the first line.
  EXPECT_EQ(Lines("Data", {kRegMultiSz, Counting(22)}).size(), 1u);
  const RegDocument lines = Lines("Data", {kRegMultiSz, Counting(23)});
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), 14u + 3 * 22 + 1);
  EXPECT_EQ(lines[1], " 16");
}

TEST(MergesBackExactlyTest, OnlyTextWithoutItsFinalZeroFails) {
  EXPECT_TRUE(MergesBackExactly({kRegSz, Sz("a")}));
  EXPECT_TRUE(MergesBackExactly({kRegSz, {}}));
  EXPECT_TRUE(MergesBackExactly({kRegMultiSz, {'a', 0, 0}}));
  EXPECT_TRUE(MergesBackExactly({kRegBinary, {'a'}}));
  EXPECT_FALSE(MergesBackExactly({kRegSz, Text("a")}));
  EXPECT_FALSE(MergesBackExactly({kRegExpandSz, Text("%A%")}));
  EXPECT_FALSE(MergesBackExactly({kRegMultiSz, {'a', 0, 'b'}}));
}

TEST(RegDocumentTest, ExampleDocument) {
  RegDocument document{"REGEDIT4", "", "[HKEY_LOCAL_MACHINE\\Software\\Example]", ""};
  int index = 3;
  index = WriteValue(document, index, "", {kRegSz, Sz("C:\\App\\app.exe")}) + 1;
  index = WriteValue(document, index, "Count", {kRegDword, {10, 0, 0, 0}}) + 1;
  WriteValue(document, index, "Blob", {kRegBinary, {1, 2, 3}});
  EXPECT_EQ(RegDocumentText(document),
            "REGEDIT4\r\n"
            "\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Example]\r\n"
            "@=\"C:\\\\App\\\\app.exe\"\r\n"
            "\"Count\"=dword:0000000A\r\n"
            "\"Blob\"=hex:01,02,03\r\n"
            "\r\n");
}

}  // namespace
