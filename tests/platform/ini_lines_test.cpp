#include "platform/ini_lines.h"

#include <gtest/gtest.h>

#include "platform/ini_file.h"

namespace {

using Numbers = std::vector<std::size_t>;

Numbers LineNumbers(const IniSectionLines& found) {
  Numbers numbers;
  for (const IniLine& line : found.lines) numbers.push_back(line.number);
  return numbers;
}

TEST(FindSectionLines, NumbersLinesAsEditorsDoWhateverTheLineEnds) {
  const IniSectionLines found =
      FindSectionLines("\xEF\xBB\xBF; top\r\n[Paths1]\r\n\r\nA=1\rB=2\n\n  C = 3 \n\r\nD\n[Next]\nE=5\n", "PATHS1");
  EXPECT_EQ(found.header, 2u);
  EXPECT_EQ(LineNumbers(found), (Numbers{4, 5, 7, 9}));
  EXPECT_EQ(found.lines[2].name, "C");
  EXPECT_TRUE(found.lines[2].has_value);
  EXPECT_EQ(found.lines[3].name, "D");
  EXPECT_FALSE(found.lines[3].has_value);
}

TEST(FindSectionLines, OnlyTheFirstHeaderOfTheNameCountsAsTheReaderTakesIt) {
  using namespace std::string_literals;
  const IniSectionLines found = FindSectionLines("[S]\nk=1\n[Other]\nk=2\n[ s ]\nk=3\n[s\0x]\nk=4\n"s, "s");
  EXPECT_EQ(found.header, 1u);
  EXPECT_EQ(found.later_headers, (Numbers{5, 7}));
  EXPECT_EQ(LineNumbers(found), Numbers{2});
  EXPECT_EQ(FindSectionLines("k=1\n[T]\n", "S").header, 0u);
}

// The entry lines of the pass, in order, against the names the reader
// lists: they must be the same names, so that the n-th listed name stands
// on the n-th entry line.
std::vector<std::string> ListedNames(const IniSectionLines& found) {
  std::vector<std::string> names;
  for (const IniLine& line : found.lines) {
    if (!line.has_value || line.name.starts_with(';')) continue;
    if (line.name.empty()) break;  // a reader of the name list stops at an empty name
    names.push_back(line.name);
  }
  return names;
}

TEST(FindSectionLines, FindsTheEntriesTheReaderListsInTheirOrder) {
  using namespace std::string_literals;
  const std::string zero_bytes = "[S]\nk=a\0b\nn\0x=v\n\0lead=1\nafter=1\n[Z\0Y]\nz=1\n"s;
  const std::vector<std::pair<std::string, std::string>> corpus = {
      {"[S]\na=1\nA=2\n  b  =  x y  \n;c=comment\n; d = e\n#h=hash\nnoeq\nnoeq=later\n\tt\t=\tv\t\n[T]\nx=1\n", "S"},
      {"[S]\r\na=1\r\n\r\nb=2\rc=3\n\r[s]\nd=4\n", "s"},
      {"pre=0\n[x]y]\nk=1\n[open\nk2=2\n[ spaced ]\nk3=3\n[\ttab\t]\nk4=4\n[a] trailing\nk6=6\n", "x]y"},
      {"[x]y]\nk=1\n[open\nk2=2\n[ spaced ]\nk3=3\n", "spaced"},
      {"[a] trailing\nk6=6\n[[double]]\nk7=7\n", "[double]"},
      {"[S]\n\x1az\x1a=\x1av\x1a\n\x0bvt\x0c=ff\x0b\n \t k \t = \t v \t \n", "S"},
      {"[Sect\xC9]\n\xC9t\xE9=accent\n\xE9t\xC9=second\n", "sect\xC9"},
      {zero_bytes, "S"},
      {zero_bytes, "Z"},
      {"[S]\n=a\n=b\nk=1\n", "S"},
      {"[S]\nk=1\n=a\nl=2\n", "S"},
      {"\xEF\xBB\xBF[B]\nk=v\n", "B"},
  };
  for (const auto& [text, section] : corpus) {
    EXPECT_EQ(ListedNames(FindSectionLines(text, section)), IniFile(text).ReadSectionKeys(section))
        << section << " in: " << text;
  }
}

}  // namespace
