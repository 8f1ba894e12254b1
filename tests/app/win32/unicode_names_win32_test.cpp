// Names, paths and texts outside the system's ANSI code page in the window
// program, which runs in UTF-8 by its manifest: judged right, shown right,
// backed up and given back exactly, by Restore backup.. and by Wine's
// registry editor.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "app/win32/command_ids.h"
#include "main_window_fixture_win32.h"
#include "platform/registry_code_page.h"
#include "platform/win32/code_page_win32.h"
#include "scan/key_paths.h"
#include "regtext/reg_file_encoding.h"
#include "support/regedit_win32.h"
#include "support/registry_dump.h"
#include "support/window_test_support_win32.h"

namespace {

const Utf8CodePage kUtf8;

constexpr const char* kFolder = "C:\\TarnelNames\\";
// Folders that exist, each with an app.exe: Cyrillic, CJK, accented Latin.
constexpr const char* kFolders[] = {"Тест", "测试", "Ñandú"};
constexpr const char* kAppPaths = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
constexpr const char* kRun = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::wstring Wide(const std::string& utf8) {
  const std::u16string wide = *kUtf8.ToWide(utf8);
  return std::wstring(wide.begin(), wide.end());
}

std::string HexOfWide(std::u16string_view text) {
  const std::vector<std::uint8_t> bytes = BytesFromWide(text);
  return BinaryToHexList(bytes.data(), bytes.size());
}

// The test tree as the registry editor's UTF-16 file gives it.
std::string PlantedFile() {
  const std::string text =
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[" + std::string(kRun) + "]\r\n"
      "\"Тест\"=\"C:\\\\TarnelNames\\\\Тест\\\\app.exe\"\r\n"
      "\"测试\"=\"\\\"C:\\\\TarnelNames\\\\测试\\\\app.exe\\\" /x\"\r\n"
      "\"Ñandú\"=\"C:\\\\TarnelNames\\\\Ñandú\\\\app.exe\"\r\n"
      "\"Τεστ\"=\"C:\\\\TarnelNames\\\\Τεστ\\\\gone.exe\"\r\n"
      "\"值\"=\"C:\\\\TarnelNames\\\\测试\\\\gone.exe\"\r\n\r\n"
      "[" + kAppPaths + "Тест.exe]\r\n"
      "@=\"C:\\\\TarnelNames\\\\Тест\\\\app.exe\"\r\n\r\n"
      "[" + kAppPaths + "测试.exe]\r\n"
      "@=\"C:\\\\TarnelNames\\\\测试\\\\gone.exe\"\r\n"
      "\"Pfad\"=hex(2):" + HexOfWide(std::u16string(u"%ProgramFiles%\\测试\0", 18)) + "\r\n"
      "\"Liste\"=hex(7):" + HexOfWide(std::u16string(u"αβγ\0Ünïcödé\0\0", 14)) + "\r\n"
      "\"Ünïcödé\"=\"ç\"\r\n\r\n"
      "[" + kAppPaths + "测试.exe\\子]\r\n"
      "\"ключ\"=\"значение\"\r\n";
  const std::vector<std::uint8_t> bytes = BytesFromWide(*kUtf8.ToWide(text));
  return "\xFF\xFE" + std::string(bytes.begin(), bytes.end());
}

std::string ReadBytes(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Utf8OfUtf16File(const std::string& file) {
  if (file.rfind("\xFF\xFE", 0) != 0) return "<not UTF-16>";
  return kUtf8.FromWide(*WideFromBytes(std::vector<std::uint8_t>(file.begin() + 2, file.end()))).value_or("<broken>");
}

std::wstring TreeSelectionText(HWND tree) {
  wchar_t text[260] = L"";
  TVITEMW item{};
  item.mask = TVIF_TEXT;
  item.hItem = TreeView_GetSelection(tree);
  item.pszText = text;
  item.cchTextMax = 260;
  SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return text;
}

std::wstring ListRowText(HWND list, int row) {
  wchar_t text[260] = L"";
  LVITEMW item{};
  item.pszText = text;
  item.cchTextMax = 260;
  SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

class UnicodeNamesTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8)) << "the manifest's UTF-8 code page did not take effect";
    NoTips();
    ApplyRegText(*registry_, DecodeRegFile(PlantedFile(), Win32CodePages()), RegTextBytes::kAsWritten);
    WriteKnowledgeBase(std::string("[PATHS1]\n") + kAppPaths + "*=Application paths,1,FILEDEF_\n" + kRun +
                       "=Startup programs,0,LD_\n");
    CreateDirectoryW(Wide(kFolder).c_str(), nullptr);
    for (const char* name : kFolders) {
      CreateDirectoryW(Wide(std::string(kFolder) + name).c_str(), nullptr);
      files_.WriteFileAtomic(std::string(kFolder) + name + "\\app.exe", "x");
    }
    GetCurrentDirectoryA(MAX_PATH, saved_folder_);
    SetCurrentDirectoryA(work_.Path().c_str());
  }
  void TearDown() override {
    SetCurrentDirectoryA(saved_folder_);
    for (const char* name : kFolders) {
      DeleteFileW(Wide(std::string(kFolder) + name + "\\app.exe").c_str());
      RemoveDirectoryW(Wide(std::string(kFolder) + name).c_str());
    }
    RemoveDirectoryW(Wide(kFolder).c_str());
  }
  RegistryDump Dump() { return DumpRegistry(*registry_, {kHkeyCurrentUser}); }
  // Scan, then Delete All, confirmed; the backup file's full name.
  std::string ScanAndDeleteAll(TMainForm& form) {
    ScanToTheEnd(form);
    Send(WmIdOf(CommandId::kDeleteAll));
    EXPECT_EQ(form.Results().NodeCount(), 1u) << (messages_.informed.empty() ? "" : messages_.informed.back());
    return messages_.questions.back().substr(messages_.questions.back().find("\r\n") + 2);  // the whole path
  }

  ScopedTempFolder work_{"unicode"};
  char saved_folder_[MAX_PATH] = "";
};

TEST_F(UnicodeNamesTest, PathsThatExistAreNotReportedThoseThatDoNotAreAndEveryKeyIsScanned) {
  TMainForm& form = Open();
  ScanToTheEnd(form);
  EXPECT_EQ(ProblemLines(form), (std::vector<std::string>{std::string(kAppPaths) + "测试.exe [(Default)|] 1",
                                                      std::string(kRun) + " [Τεστ|值|] 0"}));
}

// Names longer than the ANSI functions take (180 and 300 Cyrillic letters:
// 360 and 600 bytes of UTF-8) are scanned like any other, deleted exactly
// and given back.
TEST_F(UnicodeNamesTest, NamesOverTwoHundredFiftyFiveBytesAreReportedDeletedAndGivenBack) {
  std::string long_key, long_value;
  for (int i = 0; i < 180; ++i) long_key += "Щ";
  for (int i = 0; i < 300; ++i) long_value += "ю";
  const std::string text = "Windows Registry Editor Version 5.00\r\n\r\n"
                           "[" + std::string(kAppPaths) + long_key + "]\r\n"
                           "@=\"C:\\\\TarnelNames\\\\gone.exe\"\r\n\r\n"
                           "[" + kRun + "]\r\n\"" + long_value + "\"=\"C:\\\\TarnelNames\\\\gone.exe\"\r\n";
  const std::vector<std::uint8_t> bytes = BytesFromWide(*kUtf8.ToWide(text));
  ApplyRegText(*registry_, DecodeRegFile("\xFF\xFE" + std::string(bytes.begin(), bytes.end()), Win32CodePages()),
               RegTextBytes::kAsWritten);
  const RegistryDump before = Dump();
  TMainForm& form = Open();
  ScanToTheEnd(form);
  const std::vector<std::string> problems = ProblemLines(form);
  EXPECT_NE(std::find(problems.begin(), problems.end(), std::string(kAppPaths) + long_key + " [(Default)|] 1"),
            problems.end());
  EXPECT_NE(std::find(problems.begin(), problems.end(), std::string(kRun) + " [Τεστ|" + long_value + "|值|] 0"),
            problems.end())
      << testing::PrintToString(problems);
  const ResultNode* apps = form.Results().Top();
  for (const char* name : {"HKEY_CURRENT_USER", "Software", "Microsoft", "Windows", "CurrentVersion", "App Paths"})
    apps = apps->FindChild(name);
  ASSERT_NE(apps, nullptr);
  ASSERT_NE(apps->FindChild(long_key), nullptr);
  form.SelectNode(*apps->FindChild(long_key));
  ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
  Settle(400);
  SaveScreenshot(form.Handle(), "long-cyrillic-key");
  Send(WmIdOf(CommandId::kDeleteAll));
  EXPECT_EQ(form.Results().NodeCount(), 1u) << (messages_.informed.empty() ? "" : messages_.informed.back());
  const std::string backup = messages_.questions.back().substr(messages_.questions.back().find("\r\n") + 2);
  EXPECT_NE(Utf8OfUtf16File(ReadBytes(backup)).find("[" + std::string(kAppPaths) + long_key + "]"), std::string::npos);
  messages_.file_to_choose = backup;
  Send(WmIdOf(CommandId::kRestoreBackup));
  EXPECT_EQ(Dump(), before);
}

TEST_F(UnicodeNamesTest, ShownRightInTheTreeTheListAndTheResultsFileInEnglishAndRussian) {
  // The shipped English and Russian texts beside the program.
  const std::string exe = OwnExecutableName();
  for (const char* name : {"lang.ini", "english.lng", "russian.lng"})
    ASSERT_TRUE(CopyFileA((exe.substr(0, exe.find_last_of('\\') + 1) + name).c_str(), (files_.folder + name).c_str(),
                          FALSE));
  TMainForm& form = Open();
  ScanToTheEnd(form);
  form.ExpandResults();
  std::vector<const ResultNode*> nodes;
  ForEachProblem(*form.Results().Top(), [&](const ResultNode& node) { nodes.push_back(&node); });
  ASSERT_EQ(nodes.size(), 2u);
  form.SelectNode(*nodes[0]);
  PumpMessages(form);
  EXPECT_EQ(TreeSelectionText(form.Tree().Handle()), L"测试.exe");
  Send(WmIdOf(CommandId::kCopyKeyName));
  EXPECT_EQ(clipboard_.texts.back(), std::string(kAppPaths) + "测试.exe");
  form.SelectNode(*nodes[1]);
  PumpMessages(form);
  std::vector<std::wstring> rows;
  for (int row = 0; row < ListView_GetItemCount(form.List().Handle()); ++row)
    rows.push_back(ListRowText(form.List().Handle(), row));
  // In the list's order, by name.
  EXPECT_EQ(rows, (std::vector<std::wstring>{L"Ñandú", L"Τεστ", L"Тест", L"值", L"测试"}));

  EXPECT_EQ(clipboard_.texts.back(), std::string(kAppPaths) + "测试.exe");
  messages_.file_to_choose = work_.Path() + "results.reg";
  Send(WmIdOf(CommandId::kSaveToFile));
  EXPECT_NE(Utf8OfUtf16File(ReadBytes(work_.Path() + "results.reg")).find("[" + std::string(kAppPaths) + "测试.exe\\子]"),
            std::string::npos);
  SetCurrentDirectoryA(saved_folder_);  // the screenshots go beside the other tests'
  SetWindowPos(form.Handle(), nullptr, 0, 0, 760, 420, SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
  Settle(400);
  SaveScreenshot(form.Handle(), "unicode-names-english");
  Send(kFirstLanguageId + 3);
  wchar_t menu[32] = L"";
  GetMenuStringW(GetMenu(form.Handle()), 0, menu, 32, MF_BYPOSITION);
  EXPECT_EQ(std::wstring(menu), L"&Файл");
  Settle(400);
  SaveScreenshot(form.Handle(), "unicode-names-russian");
}

std::wstring StatusTip(const TMainForm& form) {
  wchar_t text[512] = L"";
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = form.Status().Handle();
  tool.uId = 0;
  tool.lpszText = text;
  SendMessageW(form.Status().Tip(), TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
  return text;
}

// The status bar's texts read back through the W messages: a Cyrillic key
// named by the English text, then the German text of the next deletion.
TEST_F(UnicodeNamesTest, TheStatusBarShowsEveryLetterOfTheKeyAndOfTheLanguage) {
  const std::string exe = OwnExecutableName();
  for (const char* name : {"lang.ini", "english.lng", "german.lng"})
    ASSERT_TRUE(CopyFileA((exe.substr(0, exe.find_last_of('\\') + 1) + name).c_str(), (files_.folder + name).c_str(),
                          FALSE));
  {
    RegistryAccessor key(*registry_, kHkeyCurrentUser);
    ASSERT_TRUE(key.OpenKeyWrite(std::string(kAppPaths).substr(18) + "Программа.exe"));
    ASSERT_TRUE(key.WriteString("", "C:\\TarnelNames\\Программа\\gone.exe"));
  }
  TMainForm& form = Open();
  ScanToTheEnd(form);
  form.ExpandResults();
  std::vector<const ResultNode*> nodes;
  ForEachProblem(*form.Results().Top(), [&](const ResultNode& node) { nodes.push_back(&node); });
  ASSERT_EQ(nodes.size(), 3u);
  const ResultNode* cyrillic = nodes[0]->Text() == "Программа.exe" ? nodes[0] : nodes[1];
  ASSERT_EQ(cyrillic->Text(), "Программа.exe");
  const ResultNode* cjk = nodes[0]->Text() == "测试.exe" ? nodes[0] : nodes[1];
  ASSERT_EQ(cjk->Text(), "测试.exe");
  form.SelectNode(*cyrillic);
  Send(WmIdOf(CommandId::kDeleteKey));
  EXPECT_EQ(StatusTip(form), L"Deleted the key " + Wide(std::string(kAppPaths) + "Программа.exe"));
  SetCurrentDirectoryA(saved_folder_);  // the screenshots go beside the other tests'
  SetWindowPos(form.Handle(), nullptr, 0, 0, 900, 420, SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
  Settle(400);
  SaveScreenshot(form.Handle(), "status-bar-cyrillic-key");

  Send(kFirstLanguageId + 1);
  form.SelectNode(*cjk);
  Send(WmIdOf(CommandId::kDeleteKey));
  EXPECT_EQ(StatusTip(form), L"Schlüssel " + Wide(std::string(kAppPaths) + "测试.exe") + L" gelöscht");
  Settle(400);
  SaveScreenshot(form.Handle(), "status-bar-german");
  SetCurrentDirectoryA(work_.Path().c_str());
}

TEST_F(UnicodeNamesTest, DeleteAllThenRestoreBackupGivesEveryNameAndTextBack) {
  const RegistryDump before = Dump();
  TMainForm& form = Open();
  const std::string backup = ScanAndDeleteAll(form);
  EXPECT_NE(Dump(), before);
  const std::string file = ReadBytes(backup);
  EXPECT_EQ(Utf8OfUtf16File(file).rfind("Windows Registry Editor Version 5.00\r\n", 0), 0u) << backup;
  messages_.file_to_choose = backup;
  Send(WmIdOf(CommandId::kRestoreBackup));
  EXPECT_EQ(messages_.informed.back().rfind("Written: ", 0), 0u) << messages_.informed.back();
  EXPECT_EQ(Dump(), before);
}

TEST_F(UnicodeNamesTest, DeleteAllThenWinesRegistryEditorGivesEveryNameAndTextBack) {
  const RegistryDump before = Dump();
  TMainForm& form = Open();
  const std::string backup = ScanAndDeleteAll(form);
  Close();
  // The editor runs outside this process's redirected roots.
  const std::string moved = registry_->Sandbox().Relocated(Utf8OfUtf16File(ReadBytes(backup)));
  const std::vector<std::uint8_t> bytes = BytesFromWide(*kUtf8.ToWide(moved));
  std::ofstream(work_.Path() + "moved.reg", std::ios::binary) << "\xFF\xFE" << std::string(bytes.begin(), bytes.end());
  MergeWithRegedit(work_.Path() + "moved.reg");
  EXPECT_EQ(Dump(), before);
}

}  // namespace
