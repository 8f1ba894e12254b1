// The shipped language files read by the portable INI reader exactly as
// the system's profile functions read them.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "lang/langv.h"
#include "lang/message_numbers.h"
#include "platform/ini_file.h"

namespace {

std::string FullPath(const std::string& name) {
  char path[MAX_PATH];
  GetFullPathNameA(name.c_str(), sizeof path, path, nullptr);
  return path;
}

std::string SystemValue(const std::string& file, const char* section, const std::string& name) {
  char value[4096];
  GetPrivateProfileStringA(section, name.c_str(), "", value, sizeof value, FullPath(file).c_str());
  return value;
}

IniFile ReadIni(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return IniFile(text.str());
}

TEST(LanguageFiles, ReadAlikeByThePortableReaderAndTheSystem) {
  const IniFile index = ReadIni(TLangv::kIndexFile);
  for (const std::string& language : index.ReadSectionKeys("languages")) {
    const std::string file = index.ReadString("languages", language, "");
    EXPECT_EQ(file, SystemValue(TLangv::kIndexFile, "languages", language));
    const IniFile texts = ReadIni(file);
    const std::vector<std::string> names = texts.ReadSectionKeys("Messages");
    EXPECT_EQ(names.size(), static_cast<std::size_t>(kLastMessage) + 1) << file;
    for (const std::string& name : names)
      EXPECT_EQ(texts.ReadString("Messages", name, ""), SystemValue(file, "Messages", name)) << file << " " << name;
  }
}

}  // namespace
