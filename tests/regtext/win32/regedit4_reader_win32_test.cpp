// The reader against the system's registry editor: a file merged by the
// editor and the same file imported by the reader give the same values.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/memory_registry.h"
#include "platform/win32/registry_win32.h"
#include "regtext/regedit4_reader.h"
#include "platform/root_keys.h"
#include "support/reg_value_print.h"
#include "support/regedit_win32.h"
#include "support/registry_sandbox_win32.h"

namespace {

std::string TempFileName() {
  char folder[MAX_PATH];
  char file[MAX_PATH];
  if (!GetTempPathA(MAX_PATH, folder) || !GetTempFileNameA(folder, "reg", 0, file)) return std::string();
  return file;
}

TEST(Regedit4ReaderAgainstTheRegistryEditor, EveryLineFormGivesTheSameValues) {
  RegistrySandbox sandbox(RegistrySandbox::Mode::kKeyOnly);
  const std::string data_key = sandbox.FullPath() + "\\Data";
  std::string text = "REGEDIT4\r\n\r\n; comment\r\n";
  text.append("[").append(data_key).append("]\r\n");
  text.append(
      "@=\"C:\\\\App\\\\app.exe\"\r\n"
      "\"quote \\\" and \\\\\"=\"say \\\"hi\\\" \xE9\"\r\n"
      "\"empty\"=\"\"\r\n"
      "\"dword\"=dword:8000000A\r\n"
      "\"short dword\"=dword:1f\r\n"
      "\"binary\"=hex:00,01,02,03,04,05,06,07,08,09,0A,0B,0C,0D,0E,0F,10,11,12,13,14,15,16,\\\r\n"
      "  17,18,19,1a,1b,1c,1d\r\n"
      "\"empty binary\"=hex:\r\n"
      "\"none\"=hex(0):\r\n"
      "\"expand\"=hex(2):25,41,25,00\r\n"
      "\"multi\"=hex(7):61,00,62,00,00\r\n"
      "\"qword\"=hex(b):01,02,03,04,05,06,07,08\r\n"
      "\"odd dword\"=hex(4):01,02\r\n"
      "\"custom\"=hex(1234):ff\r\n"
      "\"sz without zero\"=hex(1):61,62\r\n"
      "\"expand without zero\"=hex(2):61,62\r\n"
      "\"multi without zeros\"=hex(7):61,00,62\r\n"
      "\"sz zero only\"=hex(1):00\r\n"
      "\"sz empty\"=hex(1):\r\n"
      "\"sz high\"=hex(1):80,81,8d,ff,00\r\n"
      "\"deleted\"=dword:1\r\n"
      "\"deleted\"=-\r\n"
      "\r\n");
  // A key made and deleted again by the same file.
  text.append("[").append(data_key).append("\\Sub]\r\n\r\n");
  text.append("[-").append(data_key).append("\\Sub]\r\n");
  const std::string file = TempFileName();
  ASSERT_FALSE(file.empty());
  {
    std::ofstream out(file, std::ios::binary);
    out << text;
  }
  MergeWithRegedit(file);
  DeleteFileA(file.c_str());

  MemoryRegistry expected;
  ImportRegText(expected, text);
  Win32Registry system;
  const std::string path = sandbox.KeyPath() + "\\Data";
  std::unique_ptr<RegKey> want = expected.OpenRead(kHkeyCurrentUser, path);
  std::unique_ptr<RegKey> got = system.OpenRead(kHkeyCurrentUser, path);
  ASSERT_NE(want, nullptr);
  ASSERT_NE(got, nullptr) << "the registry editor merged nothing";
  EXPECT_EQ(got->SubkeyNames(), want->SubkeyNames());
  ASSERT_EQ(got->ValueNames(), want->ValueNames());
  for (const std::string& name : want->ValueNames()) EXPECT_EQ(got->QueryValue(name), want->QueryValue(name)) << name;
}

}  // namespace
