// Stale entries that rules reach by other spellings than the registry
// stores (a key by two rules, a value by another letter case, Latin and
// Cyrillic), on a sandboxed registry: one problem each in the window, Delete
// All deletes each once and refuses none, and the backup gives every name
// back as it was stored, through Restore backup.. and through Wine's
// registry editor.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "app/win32/command_ids.h"
#include "main_window_fixture_win32.h"
#include "platform/registry_code_page.h"
#include "platform/win32/code_page_win32.h"
#include "regtext/reg_file_encoding.h"
#include "regtext/regedit4_reader.h"
#include "support/host_file.h"
#include "support/reg_file_headers.h"
#include "support/regedit_win32.h"
#include "support/registry_dump.h"

namespace {

const Utf8CodePage kUtf8;

constexpr const char* kClass = "{7A4E1DE0-0000-4000-8000-00000000A047}";
constexpr const char* kFolder = "C:\\TarnelAliases";

// The entries as an installer wrote them, in a UTF-16 file with its mark,
// the form that carries Cyrillic names exactly.
std::string PlantedFile() {
  const std::string text = std::string("Windows Registry Editor Version 5.00\r\n\r\n") +
                           "[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\" + kClass + "]\r\n"
                           "@=\"Tarnel alias class\"\r\n\r\n"
                           "[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\" + kClass + "\\InProcServer32]\r\n"
                           "@=\"C:\\\\TarnelAliases\\\\gone.dll\"\r\n\"ThreadingModel\"=\"Both\"\r\n\r\n"
                           "[HKEY_LOCAL_MACHINE\\Software\\Classes\\Tarnel.Alias]\r\n"
                           "\"CLASSID\"=\"{7A4E1DE0-0000-4000-8000-00000000A0FF}\"\r\n\"Kept\"=\"x\"\r\n\r\n"
                           "[HKEY_CURRENT_USER\\Software\\Tarnel\\Пути]\r\n"
                           "\"ПУТЬ\"=\"C:\\\\TarnelAliases\\\\gone.exe\"\r\n\"Другой\"=\"C:\\\\TarnelAliases\\\\present.exe\"\r\n";
  const std::vector<std::uint8_t> bytes = BytesFromWide(*kUtf8.ToWide(text));
  return "\xFF\xFE" + std::string(bytes.begin(), bytes.end());
}

// The rules name the class key twice and both values in other letter cases.
constexpr const char* kRules =
    "[PATHS1]\n"
    "HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\*\\InprocServer32=COM servers,2,FILEDEF_\n"
    "HKEY_LOCAL_MACHINE\\Software\\CLASSES\\clsid\\*\\INPROCSERVER32=COM servers again,2,FILEDEF_\n"
    "HKEY_LOCAL_MACHINE\\Software\\Classes\\*=ProgIDs,0,CLSID_,ClassID\n"
    "HKEY_CURRENT_USER\\SOFTWARE\\tarnel\\*=Paths,0,FILE_,путь\n";

// The lines of a registry file in either form, as UTF-8 text.
std::vector<std::string> LinesOf(const std::string& file) {
  return RegFileLines(ReadHostFile(file)).value_or(std::vector<std::string>{"<broken UTF-16>"});
}

bool HasLine(const std::vector<std::string>& lines, const std::string& start) {
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) { return line.starts_with(start); });
}

class AliasedKeysWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8)) << "the manifest's UTF-8 code page did not take effect";
    NoTips();
    ApplyRegText(*registry_, DecodeRegFile(PlantedFile(), Win32CodePages()), RegTextBytes::kAsWritten);
    WriteKnowledgeBase(kRules);
    CreateDirectoryA(kFolder, nullptr);
    files_.WriteFileAtomic(std::string(kFolder) + "\\present.exe", "x");
    GetCurrentDirectoryA(MAX_PATH, saved_folder_);
    SetCurrentDirectoryA(work_.Path().c_str());
  }
  void TearDown() override {
    SetCurrentDirectoryA(saved_folder_);
    files_.DeleteFile(std::string(kFolder) + "\\present.exe");
    RemoveDirectoryA(kFolder);
  }
  RegistryDump Dump() { return DumpRegistry(*registry_, {kHkeyCurrentUser, kHkeyLocalMachine}); }
  // Scan, check what was found, Delete All; the backup file's full name.
  std::string ScanAndDeleteAll() {
    TMainForm& form = Open();
    ScanToTheEnd(form);
    const std::string classes = "HKEY_LOCAL_MACHINE\\Software\\Classes\\";
    EXPECT_EQ(ProblemLines(form),
              (std::vector<std::string>{classes + "CLSID\\" + kClass + "\\InProcServer32 [(Default)|] 2",
                                        classes + "Tarnel.Alias [CLASSID|] 0",
                                        "HKEY_CURRENT_USER\\Software\\Tarnel\\Пути [ПУТЬ|] 0"}));
    Send(WmIdOf(CommandId::kDeleteAll));
    EXPECT_EQ(form.Results().NodeCount(), 1u) << (messages_.informed.empty() ? "" : messages_.informed.back());
    EXPECT_NE(messages_.informed.back().find("Deleted: 3 problems."), std::string::npos) << messages_.informed.back();
    EXPECT_EQ(messages_.informed.back().find("Not deleted"), std::string::npos) << messages_.informed.back();
    const std::string backup = messages_.questions.back().substr(messages_.questions.back().find("\r\n") + 2);
    EXPECT_EQ(RegFileHeaders(ReadHostFile(backup)),
              (std::vector<std::string>{"[" + classes + "CLSID\\" + kClass + "]",
                                        "[" + classes + "CLSID\\" + kClass + "\\InProcServer32]",
                                        "[" + classes + "Tarnel.Alias]", "[HKEY_CURRENT_USER\\Software\\Tarnel\\Пути]"}));
    EXPECT_TRUE(HasLine(LinesOf(backup), "\"CLASSID\"=")) << "the value as stored";
    EXPECT_TRUE(HasLine(LinesOf(backup), "\"ПУТЬ\"=")) << "the value as stored";
    return backup;
  }

  ScopedTempFolder work_{"aliases"};
  char saved_folder_[MAX_PATH] = "";
};

TEST_F(AliasedKeysWindowTest, DeleteAllThenRestoreBackupGivesEveryNameBackAsStored) {
  const RegistryDump before = Dump();
  const std::string backup = ScanAndDeleteAll();
  EXPECT_NE(Dump(), before);
  messages_.file_to_choose = backup;
  Send(WmIdOf(CommandId::kRestoreBackup));
  EXPECT_EQ(Dump(), before);
}

TEST_F(AliasedKeysWindowTest, DeleteAllThenWinesRegistryEditorGivesEveryNameBackAsStored) {
  const RegistryDump before = Dump();
  const std::string backup = ScanAndDeleteAll();
  Close();
  // The editor runs outside this process's redirected roots.
  std::string text;
  for (const std::string& line : LinesOf(backup)) text += line + "\r\n";
  const std::string moved = registry_->Sandbox().Relocated(text);
  const std::vector<std::uint8_t> bytes = BytesFromWide(*kUtf8.ToWide(moved));
  std::ofstream(work_.Path() + "moved.reg", std::ios::binary) << "\xFF\xFE" << std::string(bytes.begin(), bytes.end());
  MergeWithRegedit(work_.Path() + "moved.reg");
  EXPECT_EQ(Dump(), before);
}

}  // namespace
