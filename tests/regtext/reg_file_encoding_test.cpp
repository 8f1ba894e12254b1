#include "regtext/reg_file_encoding.h"

#include <gtest/gtest.h>

#include "platform/registry_code_page.h"
#include "support/windows_1252.h"

namespace {

const Utf8CodePage kUtf8;
const Windows1252 k1252;
const CodePages kUtf8On1252{kUtf8, k1252};
const CodePages k1252On1252{k1252, k1252};

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }
RegValue Sz(std::string_view text) { return {kRegSz, Bytes(std::string(text) + '\0')}; }

// One key block with a value of each form, its names and texts given in
// some code page.
RegDocument Document(const std::string& key, const std::string& name, const std::string& text) {
  RegDocument document{"REGEDIT4", "", "[HKEY_CURRENT_USER\\" + key + "]", ""};
  int at = 3;
  at = WriteValue(document, at, name, Sz(text)) + 1;
  at = WriteValue(document, at, "", {kRegSz, Bytes(text)}) + 1;  // no terminator: hex(1)
  at = WriteValue(document, at, name + " list", {kRegMultiSz, Bytes(text + '\0' + text + '\0' + '\0')}) + 1;
  at = WriteValue(document, at, name + " count", {kRegDword, {1, 0, 0, 0}}) + 1;
  WriteValue(document, at, name + " data with a long name to wrap early", {kRegBinary, std::vector<std::uint8_t>(40, 7)});
  document.emplace_back("; " + name);
  return document;
}

std::string Utf16File(std::u16string_view text) {
  const std::vector<std::uint8_t> bytes = BytesFromWide(text);
  return "\xFF\xFE" + std::string(bytes.begin(), bytes.end());
}

TEST(RegFileEncodingTest, TheSameCodePageWritesTheDocumentByteForByte) {
  const RegDocument document = Document("Soft\\Caf\xE9", "na\\m\"e", "C:\\caf\xE9\\app.exe");
  EXPECT_EQ(EncodeRegFile(document, k1252On1252), RegDocumentText(document));
  // Bytes that are not even text of the code page pass unchanged.
  const RegDocument odd = Document("\xFF", "\xC3", "\x80\x81");
  EXPECT_EQ(EncodeRegFile(odd, SameCodePages()), RegDocumentText(odd));
}

TEST(RegFileEncodingTest, AUtf8DocumentTheSystemCodePageHoldsIsWrittenAsThatCodePageWritesIt) {
  // What the program writes under code page 1252 is what it writes under
  // UTF-8 on a 1252 system: names, string lines, hex(1) and hex(7) bytes and
  // the wrapping of hex lines all in 1252.
  const RegDocument in_1252 = Document("Soft\\Caf\xE9", "\xE9t\xE9", "C:\\caf\xE9\\\x80.exe");
  const RegDocument in_utf8 =
      Document("Soft\\Caf\xC3\xA9", "\xC3\xA9t\xC3\xA9", "C:\\caf\xC3\xA9\\\xE2\x82\xAC.exe");
  ASSERT_NE(RegDocumentText(in_utf8), RegDocumentText(in_1252));
  EXPECT_EQ(EncodeRegFile(in_utf8, kUtf8On1252), RegDocumentText(in_1252));
  const RegDocument ascii = Document("Soft\\Plain", "name", "C:\\app.exe");
  EXPECT_EQ(EncodeRegFile(ascii, kUtf8On1252), RegDocumentText(ascii));
}

TEST(RegFileEncodingTest, WhatTheSystemCodePageLacksGoesAsUtf16AndReadsBackTheSame) {
  const RegDocument document = Document("Soft\\\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82", "\xE5\x80\xBC", "C:\\\xE6\xB5\x8B\\a.exe");
  const std::string file = EncodeRegFile(document, kUtf8On1252);
  ASSERT_EQ(file.substr(0, 2), "\xFF\xFE");
  const std::optional<std::u16string> wide = WideFromBytes(Bytes(file.substr(2)));
  ASSERT_TRUE(wide);
  const std::u16string expected_start =
      u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Soft\\\u0422\u0435\u0441\u0442]\r\n"
      u"\"\u503c\"=\"C:\\\\\u6d4b\\\\a.exe\"\r\n"
      // Text in hex lists is UTF-16LE, as the editor stores it.
      u"\"\"=hex(1):43,00,3A,00";
  EXPECT_EQ(wide->substr(0, expected_start.size()), expected_start);
  EXPECT_NE(wide->find(u"\"\u503c list\"=hex(7):43,00,3A,00,5C,00,4B,6D,"), std::u16string::npos);

  // Read back, in a program of either code page that holds it.
  const std::vector<RegTextKey> keys = DecodeRegFile(file, kUtf8On1252);
  const std::vector<RegTextKey> original = ParseRegedit4(RegDocumentText(document));
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_EQ(keys[0].path, original[0].path);
  EXPECT_EQ(keys[0].subpath, "Soft\\\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82");
  ASSERT_EQ(keys[0].values.size(), original[0].values.size());
  for (std::size_t i = 0; i < keys[0].values.size(); ++i) {
    EXPECT_EQ(keys[0].values[i].name, original[0].values[i].name);
    EXPECT_EQ(keys[0].values[i].value, original[0].values[i].value) << keys[0].values[i].name;
  }
  // A program on code page 1252 cannot write these names: nothing is.
  EXPECT_THROW(DecodeRegFile(file, k1252On1252), RegTextError);
}

TEST(RegFileEncodingTest, ARegedit4FileIsReadInTheSystemCodePage) {
  const std::string file = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Caf\xE9]\r\n\"\xE9\"=\"\x80\"\r\n\"m\"=hex(7):E9,00,00\r\n";
  const std::vector<RegTextKey> keys = DecodeRegFile(file, kUtf8On1252);
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_EQ(keys[0].subpath, "Caf\xC3\xA9");
  EXPECT_EQ(keys[0].values[0].name, "\xC3\xA9");
  EXPECT_EQ(keys[0].values[0].value, Sz("\xE2\x82\xAC"));
  EXPECT_EQ(keys[0].values[1].value, (RegValue{kRegMultiSz, Bytes(std::string("\xC3\xA9\0\0", 4))}));
  EXPECT_EQ(DecodeRegFile(file, k1252On1252)[0].values[0].value, Sz("\x80"));
  // A broken UTF-16 file is refused at its first line.
  EXPECT_THROW(DecodeRegFile("\xFF\xFE" "A", kUtf8On1252), RegTextError);
  EXPECT_THROW(DecodeRegFile(Utf16File(u"REGEDIT4\r\n"), kUtf8On1252), RegTextError);
}

}  // namespace
