#include "platform/code_page.h"

#include <gtest/gtest.h>

#include "platform/registry_code_page.h"
#include "support/windows_1252.h"

namespace {

const Utf8CodePage kUtf8;
const Windows1252 k1252;

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

TEST(Utf8CodePageTest, RoundTripsEveryPlaneAndRefusesWhatIsNoText) {
  const std::u16string text = u"A\u00e9\u0422\u6d4b\U0001F600";
  const std::optional<std::string> utf8 = kUtf8.FromWide(text);
  ASSERT_TRUE(utf8);
  EXPECT_EQ(*utf8, "A\xC3\xA9\xD0\xA2\xE6\xB5\x8B\xF0\x9F\x98\x80");
  EXPECT_EQ(kUtf8.ToWide(*utf8), text);
  // A lone surrogate has no UTF-8 form, in either order.
  EXPECT_FALSE(kUtf8.FromWide(std::u16string(1, char16_t{0xD800})));
  EXPECT_FALSE(kUtf8.FromWide(u"x" + std::u16string(1, char16_t{0xDC00})));
  // Cut, overlong, surrogate and out-of-range sequences are no UTF-8.
  for (const char* bad : {"\xC3", "\xC0\x80", "\xE0\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80", "\xFF"})
    EXPECT_FALSE(kUtf8.ToWide(bad)) << bad;
  EXPECT_EQ(kUtf8.ToWide(""), u"");
}

TEST(CodePageConversionTest, NoBestFitAndNoDefaultCharacter) {
  // 1252 holds é and €, not Cyrillic, CJK, or a Greek alpha it would
  // best-fit to "a".
  EXPECT_EQ(k1252.FromWide(u"caf\u00e9 \u20ac"), "caf\xE9 \x80");
  EXPECT_FALSE(k1252.FromWide(u"\u0422\u0435\u0441\u0442"));
  EXPECT_FALSE(k1252.FromWide(u"\u03b1"));
  EXPECT_EQ(Recode("caf\xC3\xA9", kUtf8, k1252), "caf\xE9");
  EXPECT_EQ(Recode("caf\xE9", k1252, kUtf8), "caf\xC3\xA9");
  EXPECT_FALSE(Recode("\xD0\xA2", kUtf8, k1252));
  // The same code page passes any bytes, text or not.
  EXPECT_EQ(Recode("\xFF\xC3", kUtf8, kUtf8), "\xFF\xC3");
  EXPECT_EQ(ShownInCodePage(u"C:\\\u0422\u0435\u0441\u0442\\caf\u00e9", k1252), "C:\\????\\caf\xE9");
  EXPECT_EQ(ShownInCodePage(u"\U0001F600!", k1252), "?!");
}

TEST(RegistryCodePageTest, NamesTheCodePageCannotHoldAreUnreadable) {
  const NamesInCodePage split = SplitNames({u"Run", u"\u0422\u0435\u0441\u0442", u"caf\u00e9", u"\u503c"}, k1252);
  EXPECT_EQ(split.readable, (std::vector<std::string>{"Run", "caf\xE9"}));
  EXPECT_EQ(split.unreadable, (std::vector<std::string>{"????", "?"}));
  EXPECT_TRUE(SplitNames({u"\u0422"}, kUtf8).unreadable.empty());
}

TEST(RegistryCodePageTest, TextValuesConvertWithTheirTerminatorsOtherTypesStayAsStored) {
  const std::vector<std::uint8_t> wide_sz = BytesFromWide(std::u16string(u"C:\\caf\u00e9.exe\0", 12));
  EXPECT_EQ(ValueFromWide({kRegSz, wide_sz}, k1252), (RegValue{kRegSz, Bytes(std::string("C:\\caf\xE9.exe\0", 12))}));
  EXPECT_EQ(ValueFromWide({kRegExpandSz, wide_sz}, kUtf8),
            (RegValue{kRegExpandSz, Bytes(std::string("C:\\caf\xC3\xA9.exe\0", 13))}));
  const std::vector<std::uint8_t> wide_multi = BytesFromWide(std::u16string(u"a\0\u0422\0\0", 5));
  EXPECT_EQ(ValueFromWide({kRegMultiSz, wide_multi}, kUtf8),
            (RegValue{kRegMultiSz, Bytes(std::string("a\0\xD0\xA2\0\0", 6))}));
  // A path with a character the code page lacks is not read at all: read
  // with '?' it would name a file that does not exist.
  EXPECT_FALSE(ValueFromWide({kRegSz, BytesFromWide(u"C:\\\u0422\\app.exe")}, k1252));
  EXPECT_FALSE(ValueFromWide({kRegSz, {0x41, 0x00, 0x42}}, kUtf8));  // odd length: no UTF-16
  const RegValue binary{kRegBinary, {0x22, 0x04, 0xFF}};
  EXPECT_EQ(ValueFromWide(binary, k1252), binary);
  EXPECT_EQ(ValueToWide(binary, k1252), binary);
  EXPECT_EQ(ValueToWide({kRegSz, Bytes(std::string("caf\xE9\0", 5))}, k1252),
            (RegValue{kRegSz, BytesFromWide(std::u16string(u"caf\u00e9\0", 5))}));
  EXPECT_FALSE(ValueToWide({kRegSz, Bytes("\xFF")}, kUtf8));
}

}  // namespace
