// The portable INI reader held against the system's own profile functions:
// every file of a corpus of awkward INI texts is written to disk and every
// section and entry name found in it (with case and blank variants) is read
// both ways.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "platform/ini_file.h"
#include "support/temp_folder_win32.h"

namespace {

constexpr char kFallback[] = "DEF";

struct IniCase {
  const char* name;
  std::string text;
};

std::string Repeat(const std::string& line, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += line;
  return text;
}

// n names "n00000".. (7 bytes each in the name list).
std::string Names(int count, int first = 0) {
  std::string text;
  for (int i = first; i < first + count; ++i) {
    char line[32];
    std::snprintf(line, sizeof line, "n%05d=v%d\n", i, i);
    text += line;
  }
  return text;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

constexpr char kZeroBytes[] = "[S]\nk=a\0b\nn\0x=v\n\0lead=1\nafter=1\n[Z\0Y]\nz=1\n";

std::vector<IniCase> Corpus() {
  const std::string basic =
      "[Paths1]\n"
      "a=1\nA=2\n  b  =  x y  \nq=\"quoted\"\nq2='single'\nq3=\"mixed'\nq4=\"\nq5=\"\"\n"
      "q6= \" in \" \nq7=\"a\"b\"\nq8=abc\"\nq9=' '\neq=a=b=c\nempty=\n=novalue\nafter=1\n"
      "noeq\nnoeq=later\n;c=comment\n; d = com2\n#h=hash\n\tt\t=\tv\t\nHKEY_CLASSES_ROOT\\*\\shell=Desc,0,FILEDEF_\n"
      "[other]\nk=v\n[PATHS1]\nsecond=yes\na=fromsecond\n";
  std::vector<IniCase> corpus = {
      {"basic", basic},
      {"crlf", ReplaceAll(basic, "\n", "\r\n")},
      {"cr", ReplaceAll(basic, "\n", "\r")},
      {"mixed_line_ends", "[S]\r\n\r\na=1\n\rb=2\r\r\nc=3"},
      {"headers",
       "pre=0\n[x]y]\nk=1\n[open\nk2=2\n[ spaced ]\nk3=3\n[\ttab\t]\nk4=4\n[]\nk5=5\n[a] trailing\nk6=6\n"
       "[[double]]\nk7=7\n"},
      {"duplicate_sections", "[A]\nk=1\n[a]\nk=2\nj=3\n[ A ]\nl=4\n[B]\nk=5\n"},
      {"blank_kinds", "[S]\n\x1az\x1a=\x1av\x1a\n\xA0nb\xA0=\xA0w\xA0\n\x0bvt\x0c=ff\x0b\n \t k \t = \t v \t \n"},
      {"high_bytes", "[Sect\xC9]\n\xC9t\xE9=accent\n\xE9t\xC9=second\nk=\xFF\xFE\x81\x8D\n"},
      {"zero_bytes", std::string(kZeroBytes, sizeof kZeroBytes - 1)},
      {"bom", "\xEF\xBB\xBF[B]\nk=v\n"},
      {"empty_names", "[S]\n=a\n=b\nk=1\n=c\nl=2\n[T]\nm=1\n= x\n =y\n"},
      {"comments_only", "[S]\n;a=1\n;b\nbare\n[T]\n"},
      {"empty_file", ""},
      {"blank_file", "\n\r\n  \t\n"},
      {"no_final_newline", "[S]\nk=v"},
      {"repeated_names", "[S]\n" + Repeat("dup=1\nDUP=2\nDup=3\n", 20) + "end=1\n"},
  };
  // Values around the 2047-character limit; a quoted value of exactly 2047
  // characters is left to its own test.
  for (std::size_t length : {2046u, 2047u, 2048u, 2049u, 3000u}) {
    const std::string value = std::string(length - 1, 'x') + "E";
    corpus.push_back({"value_length", "[S]\nk=" + value + "\nsq='" + value + "\n"});
  }
  for (std::size_t inner : {2045u, 2046u, 2048u, 2049u, 5000u})
    corpus.push_back({"quoted_length", "[S]\nq=\"" + std::string(inner, 'q') + "\"\ns='" +
                                           std::string(inner, 's') + "'\n"});
  // 2340 names of 7 bytes fill 16380 bytes of the 16382 the list may hold.
  for (const char* tail : {"", "x=1\n", "xy=1\n", "xyz=1\n", "x=1\nafter=1\n", "wxyz=1\nafter=1\n",
                           ";c=1\nx=1\n", "bare\nx=1\n", "=e\nx=1\n"})
    corpus.push_back({"list_limit", "[S]\n" + Names(2340) + tail + "[T]\nk=1\n"});
  corpus.push_back({"huge_name", "[S]\nshort=1\n" + std::string(20000, 'K') + "=v\nafter=1\n"});
  corpus.push_back({"thousands", "[S]\n" + Names(6000) + Names(100, 0) + "[T]\n" + Names(10)});
  return corpus;
}

std::string WriteCase(const ScopedTempFolder& folder, int index, const std::string& text) {
  const std::string path = folder.Path() + "case" + std::to_string(index) + ".ini";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return {};
  std::fwrite(text.data(), 1, text.size(), file);
  std::fclose(file);
  return path;
}

std::string SystemKeyList(const std::string& file, const std::string& section) {
  std::vector<char> buffer(IniFile::kNameListBytes);
  const DWORD length = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(),
                                                static_cast<DWORD>(buffer.size()), file.c_str());
  return std::string(buffer.data(), length);
}

std::string SystemValue(const std::string& file, const std::string& section, const std::string& name) {
  char buffer[IniFile::kValueChars + 1];
  const DWORD length =
      GetPrivateProfileStringA(section.c_str(), name.c_str(), kFallback, buffer, sizeof buffer, file.c_str());
  return std::string(buffer, length);
}

void AddVariants(std::set<std::string>& names, const std::string& name) {
  if (name.find('\0') != std::string::npos) return;
  std::string upper = name, lower = name;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  names.insert({name, upper, lower, " " + name + "\t"});
}

// The section and entry names worth asking for: what the lines hold, raw,
// cut at "=" and "]", in both cases and with blanks around.
void CollectNames(const std::string& text, std::set<std::string>& sections, std::set<std::string>& keys) {
  sections = {"", "missing"};
  keys = {"", "missing"};
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    start = end + 1;
    const std::size_t open = line.find('['), close = line.rfind(']');
    if (open != std::string::npos && close != std::string::npos && close > open)
      AddVariants(sections, line.substr(open + 1, close - open - 1));
    AddVariants(keys, line);
    AddVariants(keys, line.substr(0, line.find('=')));
  }
}

// Keeps the first and the last names of a long set.
std::vector<std::string> Sample(const std::set<std::string>& names, std::size_t each_end) {
  std::vector<std::string> all(names.begin(), names.end());
  if (all.size() <= 2 * each_end) return all;
  std::vector<std::string> kept(all.begin(), all.begin() + each_end);
  kept.insert(kept.end(), all.end() - each_end, all.end());
  return kept;
}

TEST(IniDifferentialTest, ReaderReadsWhatTheProfileFunctionsRead) {
  ScopedTempFolder folder("tarnel-ini");
  const std::vector<IniCase> corpus = Corpus();
  int compared = 0;
  for (std::size_t index = 0; index < corpus.size(); ++index) {
    const IniCase& ini_case = corpus[index];
    SCOPED_TRACE(std::string(ini_case.name) + " #" + std::to_string(index));
    const std::string file = WriteCase(folder, static_cast<int>(index), ini_case.text);
    ASSERT_FALSE(file.empty());
    const IniFile ini(ini_case.text);
    std::set<std::string> sections, keys;
    CollectNames(ini_case.text, sections, keys);
    const std::vector<std::string> sampled_keys = Sample(keys, 40);
    for (const std::string& section : Sample(sections, 6)) {
      EXPECT_EQ(ini.SectionKeyList(section), SystemKeyList(file, section)) << "list of [" << section << "]";
      ++compared;
      for (const std::string& key : sampled_keys) {
        const std::string expected = SystemValue(file, section, key);
        const std::string actual = ini.ReadString(section, key, kFallback);
        EXPECT_EQ(actual, expected) << "[" << section << "] " << key.substr(0, 80);
        ++compared;
        if (actual != expected) break;
      }
    }
  }
  RecordProperty("comparisons", compared);
}

// The one place where the reader parts from the profile functions of Wine:
// these drop the last character of a quoted value whose text between the
// quotes is exactly 2047 characters long. The reader keeps the whole text,
// which fits the 2047 characters a value may have.
TEST(IniDifferentialTest, QuotedValueOfExactly2047CharactersIsKeptWhole) {
  ScopedTempFolder folder("tarnel-ini-quoted");
  const std::string inner = std::string(2046, 'x') + "E";
  const std::string text = "[S]\nq=\"" + inner + "\"\n";
  const std::string file = WriteCase(folder, 0, text);
  EXPECT_EQ(IniFile(text).ReadString("S", "q", kFallback), inner);
  const std::string system = SystemValue(file, "S", "q");
  EXPECT_TRUE(system == inner || system == inner.substr(0, 2046)) << system.size();
}

}  // namespace
