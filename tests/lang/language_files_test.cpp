// The shipped language files: every text the interface reads is there, in
// every language.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "lang/langv.h"
#include "lang/message_numbers.h"
#include "platform/ini_file.h"

namespace {

// The tests run in the folder the build copies the language files to.
IniFile ReadIni(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  EXPECT_TRUE(in.good() || in.eof()) << name;
  return IniFile(text.str());
}

// The numbers the window, its menus and the tip dialog read.
std::vector<int> NumbersRead() {
  std::vector<int> numbers;
  for (int i = 0; i <= 25; ++i) numbers.push_back(i);
  for (int i : {28, 29, 30, 31, 32, 36}) numbers.push_back(i);
  for (int i = 38; i <= kLastMessage; ++i) numbers.push_back(i);
  return numbers;
}

TEST(LanguageFiles, EveryLanguageHasEveryTextTheInterfaceReads) {
  const IniFile index = ReadIni(TLangv::kIndexFile);
  const std::vector<std::string> names = index.ReadSectionKeys("languages");
  EXPECT_EQ(names, (std::vector<std::string>{"english", "german", "french", "russian"}));
  std::size_t count = 0;
  for (const std::string& name : names) {
    const std::vector<std::string> table = ReadMessageTable(ReadIni(index.ReadString("languages", name, "")));
    if (count == 0) count = table.size();
    EXPECT_EQ(table.size(), count) << name << ": the same numbers in every language";
    for (int number : NumbersRead())
      EXPECT_FALSE(number >= static_cast<int>(table.size()) || table[number].empty()) << name << " " << number;
    EXPECT_EQ(table.at(14).find('&'), std::string::npos) << name << ": All Values is a tool button too";
    for (int number : {kMsgDeletedKey, kMsgDeletedValues, kMsgNotDeleted, kMsgScanStopped, kMsgDeletedOneProblem,
                       kMsgDeletedProblems, kMsgBackupFileIs, kMsgNotDeletedCount, kMsgNothingScanned,
                       kMsgCannotReadFile, kMsgCannotRestore, kMsgOptionNotStored, kMsgHelpNotOpened,
                       kMsgDeleteFileQuestion, kMsgCannotDeleteFile, kMsgIgnoreListNotStored,
                       kMsgBackupHistoryNotStored, kMsgLanguageNotNamed, kMsgLanguageFileBad, kMsgPointMade,
                       kMsgPointMadeOrReused, kMsgPointReused, kMsgPointFailed})
      EXPECT_NE(table.at(number).find("%1"), std::string::npos) << name << " " << number;
    for (int number : {kMsgDeletedValues, kMsgNotDeleted, kMsgLanguageNotNamed, kMsgLanguageFileBad})
      EXPECT_NE(table.at(number).find("%2"), std::string::npos) << name << " " << number;
  }
  EXPECT_EQ(count, static_cast<std::size_t>(kLastMessage) + 1);
}

TEST(LanguageFiles, TheBuiltInEnglishIsTheShippedFile) {
  EXPECT_EQ(BuiltInEnglishMessages(), ReadMessageTable(ReadIni("english.lng")));
}

}  // namespace
