#include "platform/ini_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory_files.h"

namespace {

using Names = std::vector<std::string>;

// A section [S] of n names "n00000".."n<n-1>" (6 characters, 7 bytes in the
// list), then the given tail lines.
std::string ManyNames(int n, const std::string& tail) {
  std::string text = "[S]\n";
  for (int i = 0; i < n; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "n%05d", i);
    text += std::string(name) + "=v\n";
  }
  return text + tail;
}

TEST(IniFileTest, SectionAndEntryNamesIgnoreCaseAndSurroundingBlanks) {
  const IniFile ini("[Paths1]\n  Key One \t=  value  \n[ Spaced ]\nk=v\n");
  EXPECT_EQ(ini.ReadString("PATHS1", "key one", "-"), "value");
  EXPECT_EQ(ini.ReadString(" paths1 ", " KEY ONE ", "-"), "value");
  EXPECT_EQ(ini.ReadString("spaced", "k", "-"), "v");
  EXPECT_TRUE(ini.HasSection("pAtHs1"));
  EXPECT_FALSE(ini.HasSection("Paths"));
  // Only ASCII letters fold, as the profile functions compare.
  const IniFile accented("[S]\n\xC9t\xE9=1\n");
  EXPECT_EQ(accented.ReadString("S", "\xE9t\xC9", "-"), "-");
  EXPECT_EQ(accented.ReadString("s", "\xC9T\xE9", "-"), "1");
}

TEST(IniFileTest, ValuesLoseOnePairOfMatchingQuotes) {
  const IniFile ini(
      "[S]\n"
      "double=\"quoted\"\nsingle='quoted'\nmixed=\"open'\nlone=\"\nempty=\"\"\n"
      "inner= \" kept blanks \" \ntwice=\"\"a\"\"\nopen=\"no close\nequals=a=b = c\n");
  EXPECT_EQ(ini.ReadString("S", "double", "-"), "quoted");
  EXPECT_EQ(ini.ReadString("S", "single", "-"), "quoted");
  EXPECT_EQ(ini.ReadString("S", "mixed", "-"), "\"open'");
  EXPECT_EQ(ini.ReadString("S", "lone", "-"), "\"");
  EXPECT_EQ(ini.ReadString("S", "empty", "-"), "");
  EXPECT_EQ(ini.ReadString("S", "inner", "-"), " kept blanks ");
  EXPECT_EQ(ini.ReadString("S", "twice", "-"), "\"a\"");
  EXPECT_EQ(ini.ReadString("S", "open", "-"), "\"no close");
  EXPECT_EQ(ini.ReadString("S", "equals", "-"), "a=b = c");
}

TEST(IniFileTest, MissingEntriesAndLinesWithoutEqualsGiveTheFallback) {
  const IniFile ini("[S]\nempty=\nbare\nbare=later\n");
  EXPECT_EQ(ini.ReadString("S", "empty", "-"), "");
  EXPECT_EQ(ini.ReadString("S", "missing", "-"), "-");
  EXPECT_EQ(ini.ReadString("Nowhere", "empty", "-"), "-");
  // The line without "=" is the first entry of that name and has no value.
  EXPECT_EQ(ini.ReadString("S", "bare", "-"), "-");
  EXPECT_EQ(ini.ReadSectionKeys("S"), (Names{"empty", "bare"}));
}

TEST(IniFileTest, FirstOccurrenceWinsButEveryOccurrenceIsListed) {
  const IniFile ini("[S]\na=1\nb=2\nA=3\na=4\n[s]\nlate=5\na=6\n");
  EXPECT_EQ(ini.ReadString("S", "a", "-"), "1");
  EXPECT_EQ(ini.ReadSectionKeys("s"), (Names{"a", "b", "A", "a"}));
  // A second section of the same name is never reached.
  EXPECT_EQ(ini.ReadString("S", "late", "-"), "-");
}

TEST(IniFileTest, CommentsAreUnlistedButStillReadable) {
  const IniFile ini("; top\n[S]\n;c=comment\n#h=hash\nk=v ; not a comment\n");
  EXPECT_EQ(ini.ReadSectionKeys("S"), (Names{"#h", "k"}));
  EXPECT_EQ(ini.ReadString("S", ";c", "-"), "comment");
  EXPECT_EQ(ini.ReadString("S", "k", "-"), "v ; not a comment");
}

TEST(IniFileTest, LineEndsBlanksAndByteOrderMark) {
  const IniFile ini("\xEF\xBB\xBF[S]\r\ncrlf=1\r\ncr=2\rlf=3\n\n\tt\t=\tv\t\n\x1az\x1a=\x1aw\x1a\n\xA0nb=x\n");
  EXPECT_EQ(ini.ReadSectionKeys("S"), (Names{"crlf", "cr", "lf", "t", "z", "\xA0nb"}));
  EXPECT_EQ(ini.ReadString("S", "cr", "-"), "2");
  EXPECT_EQ(ini.ReadString("S", "t", "-"), "v");
  EXPECT_EQ(ini.ReadString("S", "z", "-"), "w");
  EXPECT_EQ(ini.ReadString("S", "nb", "-"), "-");  // 0xA0 is no blank
}

TEST(IniFileTest, SectionHeadersEndAtTheLastBracket) {
  const IniFile ini("pre=0\n[a]b]\nk=1\n[open\nk2=2\n[]\nk3=3\n");
  EXPECT_EQ(ini.ReadString("a]b", "k", "-"), "1");
  EXPECT_EQ(ini.ReadString("a]b", "k2", "-"), "2");  // "[open" is a line without "="
  EXPECT_EQ(ini.ReadString("", "pre", "-"), "0");
  EXPECT_EQ(ini.ReadString("", "k3", "-"), "-");  // "[]" repeats the unnamed section
}

TEST(IniFileTest, ZeroBytesEndNamesAndValues) {
  const IniFile ini(std::string("[S]\nk=a\0b\nn\0x=v\nafter=1\n", 24));
  EXPECT_EQ(ini.ReadString("S", "k", "-"), "a");
  EXPECT_EQ(ini.ReadString("S", "n", "-"), "v");
  EXPECT_EQ(ini.ReadSectionKeys("S"), (Names{"k", "n", "after"}));
}

TEST(IniFileTest, AnEmptyNameEndsTheListedNames) {
  const IniFile ini("[S]\na=1\n=novalue\n=again\nb=2\n[T]\n=first\nc=3\n");
  EXPECT_EQ(ini.SectionKeyList("S"), std::string("a\0\0b\0", 5));
  EXPECT_EQ(ini.ReadSectionKeys("S"), (Names{"a"}));
  EXPECT_EQ(ini.ReadString("S", "", "-"), "novalue");
  EXPECT_EQ(ini.SectionKeyList("T"), "");
}

TEST(IniFileTest, NameListIsCutAfter16382Bytes) {
  // 2340 names of 7 bytes fill 16380 bytes.
  const IniFile fits(ManyNames(2340, "x=1\n"));
  ASSERT_EQ(fits.SectionKeyList("S").size(), 16382u);
  EXPECT_EQ(fits.ReadSectionKeys("S").back(), "x");

  const IniFile cut(ManyNames(2340, "xyz=1\nafter=1\n"));
  EXPECT_EQ(cut.SectionKeyList("S").size(), 16382u);
  Names names = cut.ReadSectionKeys("S");
  ASSERT_EQ(names.size(), 2341u);
  EXPECT_EQ(names.back(), "xy");
  EXPECT_EQ(cut.ReadString("S", names.back(), "-"), "-");

  // The name that ends exactly at the limit is whole; nothing follows it.
  const IniFile exact(ManyNames(2340, "x=1\nafter=1\n"));
  EXPECT_EQ(exact.ReadSectionKeys("S").back(), "x");
  EXPECT_EQ(exact.ReadSectionKeys("S").size(), 2341u);

  const IniFile huge("[S]\nshort=1\n" + std::string(20000, 'K') + "=v\n");
  EXPECT_EQ(huge.ReadSectionKeys("S"), (Names{"short", std::string(16376, 'K')}));
}

TEST(IniFileTest, ValuesAreCutTo2047Characters) {
  const std::string inner(2047, 'x');
  const IniFile ini("[S]\nwhole=" + inner + "\nlong=" + inner + "yz\nquoted=\"" + inner +
                    "\"\nquotedlong='" + inner + "yz'\n");
  EXPECT_EQ(ini.ReadString("S", "whole", "-"), inner);
  EXPECT_EQ(ini.ReadString("S", "long", "-"), inner);
  EXPECT_EQ(ini.ReadString("S", "quoted", "-"), inner);
  EXPECT_EQ(ini.ReadString("S", "quotedlong", "-"), inner);
}

TEST(IniFileTest, ThousandsOfEntriesKeepTheirOrderAndValues) {
  const IniFile ini(ManyNames(20000, ""));
  EXPECT_EQ(ini.ReadString("S", "N19999", "-"), "v");
  const Names names = ini.ReadSectionKeys("S");
  ASSERT_EQ(names.size(), 2341u);  // 2340 whole names and 2 bytes of the next
  EXPECT_EQ(names[2339], "n02339");
  EXPECT_EQ(names.back(), "n0");
}

TEST(IniFileTest, LoadsFromTheFileSystem) {
  MemoryFileSystem files;
  files.AddFile("C:\\App\\Knowbase.ini", "[PATHS1]\nk=v\n");
  const std::optional<IniFile> ini = LoadIniFile(files, "c:\\app\\KNOWBASE.INI");
  ASSERT_TRUE(ini.has_value());
  EXPECT_EQ(ini->ReadString("paths1", "K", "-"), "v");
  EXPECT_FALSE(LoadIniFile(files, "C:\\App\\lang.ini").has_value());
}

}  // namespace
