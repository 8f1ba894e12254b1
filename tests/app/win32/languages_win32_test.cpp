// Languages and the tip of the day in the real window, with the language
// files shipped beside the test program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "app/win32/Tips.h"
#include "app/win32/command_ids.h"
#include "app/win32/resources.h"
#include "main_window_fixture_win32.h"
#include "platform/win32/code_page_win32.h"
#include "support/temp_folder_win32.h"
#include "support/window_test_support_win32.h"

namespace {

std::string Tooltip(TMainForm& form, CommandId id) {
  NMTTDISPINFOA tip{};
  tip.hdr = {form.Tools().Handle(), static_cast<UINT_PTR>(WmIdOf(id)), TTN_GETDISPINFOA};
  SendMessageA(form.Handle(), WM_NOTIFY, tip.hdr.idFrom, reinterpret_cast<LPARAM>(&tip));
  return tip.lpszText ? tip.lpszText : "";
}

std::string DialogText(HWND dialog, int id) {
  char text[1024] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

std::string Title(HWND window) {
  char text[256] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

using Lines = std::vector<std::string>;

TEST_F(MainWindowTest, TheLanguageMenuSwitchesTheTextsAtOnceAndTheChoiceSurvives) {
  UseShippedLanguages();
  NoTips();
  TMainForm& form = Open();
  HMENU bar = GetMenu(form.Handle());
  EXPECT_EQ(MenuLines(form.Menus().Languages()), (Lines{"english [x]", "german", "french", "russian"}));
  EXPECT_EQ(MenuCaption(bar, 0), "&File") << "English is loaded at the first start";

  Send(kFirstLanguageId + 1);
  EXPECT_EQ(MenuLines(form.Menus().Languages()), (Lines{"english", "german [x]", "french", "russian"}));
  EXPECT_EQ(MenuCaption(bar, 0), "&Datei");
  EXPECT_EQ(MenuLines(GetSubMenu(bar, 0)),
            (Lines{"Start\tF5", "Stopp\tUmschalt+F5 [off]", "-", "Speichern unter..\tStrg+S [off]", "Senden [off]",
                   "Sicherung wiederherstellen..", "&Sicherungen..", "-", "Beenden"}));
  EXPECT_EQ(MenuLines(GetSubMenu(bar, 1))[0], "&L\xC3\xB6schen r\xC3\xBC" "ckg\xC3\xA4ngig\tStrg+Z [off]");
  EXPECT_EQ(MenuLines(GetSubMenu(bar, 1))[4], "Alle l\xC3\xB6schen\tStrg+Entf [off]");
  EXPECT_EQ(MenuLines(GetSubMenu(bar, 2)), (Lines{"Symbolleiste [x]", "Statusleiste [x]", "Alle Werte [x]"}));
  EXPECT_EQ(MenuLines(form.Menus().TreePopup()).back(), "Nur Namen kopieren");
  EXPECT_EQ(Tooltip(form, CommandId::kSaveToFile), "Speichern unter..");
  EXPECT_EQ(Tooltip(form, CommandId::kSend), "Senden") << "hints follow the captions";
  EXPECT_EQ(form.List().ColumnHeading(ListView::kDataColumn), "Daten");

  ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
  Settle(400);
  SaveScreenshot(form.Handle(), "main-window-german");
  Close();

  EXPECT_EQ(MenuCaption(GetMenu(Open().Handle()), 0), "&Datei") << "German again at the next start";
}

TEST_F(MainWindowTest, TheFirstRunKeepsTheChosenLanguage) {
  UseShippedLanguages();
  Open();
  Send(kFirstLanguageId + 2);
  Close();
  RegistryAccessor reg(*registry_, kHkeyCurrentUser);
  ASSERT_TRUE(reg.OpenKeyReadOnly(kSettingsKey));
  EXPECT_EQ(reg.ReadString("CurLang"), "french");
}

// The shipped language files in a folder of the test's own, but german.lng.
class MissingGermanTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    UseShippedLanguages();
    const std::string shipped = files_.folder;
    files_.folder = languages_.Path();
    for (const char* name : {"lang.ini", "english.lng", "french.lng", "russian.lng"})
      CopyFileA((shipped + name).c_str(), (files_.folder + name).c_str(), FALSE);
    NoTips();
  }
  ScopedTempFolder languages_{"languages"};
};

TEST_F(MissingGermanTest, ALanguageWhoseFileIsMissingIsNotSwitchedToAndSaysWhichFile) {
  TMainForm& form = Open();
  HMENU bar = GetMenu(form.Handle());
  Send(kFirstLanguageId + 1);
  EXPECT_EQ(messages_.errors, (Lines{"The language file " + files_.folder +
                                     "german.lng is missing or holds no [Messages]. The interface stays in english."}));
  EXPECT_EQ(MenuLines(form.Menus().Languages()), (Lines{"english [x]", "german", "french", "russian"}));
  EXPECT_EQ(MenuCaption(bar, 0), "&File");
  EXPECT_EQ(MenuLines(GetSubMenu(bar, 2)), (Lines{"ToolBar [x]", "StatusBar [x]", "All Values [x]"}));
  EXPECT_EQ(form.List().ColumnHeading(ListView::kNameColumn), "Name");
  ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
  Settle(400);
  SaveScreenshot(form.Handle(), "german-file-missing");
  Close();
  RegistryAccessor reg(*registry_, kHkeyCurrentUser);
  ASSERT_TRUE(reg.OpenKeyReadOnly(kSettingsKey));
  EXPECT_EQ(reg.ReadString("CurLang"), "english") << "the failed choice is not kept";
}

TEST_F(MissingGermanTest, AStoredLanguageWhoseFileWentStartsInEnglishAndSaysSo) {
  RegistryAccessor reg(*registry_, kHkeyCurrentUser);
  ASSERT_TRUE(reg.OpenKeyWrite(kSettingsKey));
  reg.WriteString("CurLang", "german");
  TMainForm& form = Open();
  ASSERT_EQ(messages_.errors.size(), 1u);
  EXPECT_NE(messages_.errors[0].find(files_.folder + "german.lng"), std::string::npos) << messages_.errors[0];
  EXPECT_EQ(MenuLines(form.Menus().Languages()), (Lines{"english [x]", "german", "french", "russian"}));
  EXPECT_EQ(MenuCaption(GetMenu(form.Handle()), 0), "&File");
}

TEST_F(MissingGermanTest, TextsALanguageFileLacksShowInEnglish) {
  // A German file that ends after its tenth text.
  std::ifstream shipped(OwnExecutableName().substr(0, OwnExecutableName().find_last_of('\\') + 1) + "german.lng",
                        std::ios::binary);
  std::string line, cut;
  for (int texts = -1; texts < 10 && std::getline(shipped, line);) {
    if (line.find('=') != std::string::npos || line.rfind("[Messages]", 0) == 0) ++texts;
    cut += line + "\n";
  }
  std::ofstream(files_.folder + "german.lng", std::ios::binary) << cut;
  TMainForm& form = Open();
  Send(kFirstLanguageId + 1);
  EXPECT_TRUE(messages_.errors.empty());
  HMENU bar = GetMenu(form.Handle());
  EXPECT_EQ(MenuCaption(bar, 0), "&Datei");
  EXPECT_EQ(MenuCaption(bar, 2), "&View") << "message 11 is past the file's end";
  EXPECT_EQ(form.List().ColumnHeading(ListView::kDataColumn), "Data");
  for (int menu = 0; menu < GetMenuItemCount(bar); ++menu) {
    EXPECT_NE(MenuCaption(bar, menu), "") << menu;
    for (const std::string& entry : MenuLines(GetSubMenu(bar, menu)))
      EXPECT_FALSE(entry.empty() || entry[0] == ' ' || entry[0] == '\t') << menu << ": " << entry;
  }
}

TEST_F(MainWindowTest, WithoutLangIniTheMenuIsEmptyAndTheBuiltInTextsStay) {
  TMainForm& form = Open();
  EXPECT_EQ(GetMenuItemCount(form.Menus().Languages()), 0);
  EXPECT_EQ(MenuCaption(GetMenu(form.Handle()), 0), "File");
  EXPECT_EQ(form.Langv().MessageCount(), 0);
}

TEST_F(MainWindowTest, TheTipsCycleThroughTenAndKeepTheCheckBox) {
  UseShippedLanguages();
  TMainForm& form = Open();
  TfrTips tips(form.Langv());
  HWND dialog = tips.Create(form.Handle());
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Title(dialog), "Tip of the day");
  const std::string first = form.Langv().GetMsg(38);
  EXPECT_EQ(DialogText(dialog, IDC_TIPS_TEXT), first);
  EXPECT_EQ(DialogText(dialog, IDC_TIPS_NEXT), form.Langv().GetMsg(30) + ">");
  EXPECT_EQ(DialogText(dialog, IDOK), form.Langv().GetMsg(29));
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_TIPS_SHOW), BST_CHECKED);
  SendMessageA(dialog, WM_COMMAND, IDC_TIPS_NEXT, 0);
  EXPECT_EQ(DialogText(dialog, IDC_TIPS_TEXT), form.Langv().GetMsg(39));
  ShowWindow(dialog, SW_SHOW);
  Settle(400);
  SaveScreenshot(dialog, "tip-of-the-day");
  for (int i = 0; i < 9; ++i) SendMessageA(dialog, WM_COMMAND, IDC_TIPS_NEXT, 0);
  EXPECT_EQ(DialogText(dialog, IDC_TIPS_TEXT), first) << "after ten presses, the first tip again";
  CheckDlgButton(dialog, IDC_TIPS_SHOW, BST_UNCHECKED);
  SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);  // Esc, and the title-bar button
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_FALSE(tips.ShowAtStartup());

  auto left_open = std::make_unique<TfrTips>(form.Langv());
  dialog = left_open->Create(form.Handle());
  left_open.reset();  // gone while its window is open
  EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(MainWindowTest, TheTipDialogSpeaksTheInterfacesLanguage) {
  UseShippedLanguages();
  NoTips();
  TMainForm& form = Open();
  Send(kFirstLanguageId + 1);
  TfrTips tips(form.Langv());
  HWND dialog = tips.Create(form.Handle());
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Title(dialog), "Tipp des Tages");
  EXPECT_EQ(DialogText(dialog, IDC_TIPS_TITLE), "Wussten Sie schon...");
  EXPECT_EQ(DialogText(dialog, IDC_TIPS_SHOW), "Tipps beim Start zeigen");
  EXPECT_EQ(DialogText(dialog, IDC_TIPS_NEXT), "&N\xC3\xA4" "chster Tipp>");
  for (int i = 0; i < 2; ++i) SendMessageA(dialog, WM_COMMAND, IDC_TIPS_NEXT, 0);
  EXPECT_EQ(DialogText(dialog, IDC_TIPS_TEXT).rfind("Ist Ansicht > Alle Werte angehakt", 0), 0u) << "the third tip";
  ShowWindow(dialog, SW_SHOW);
  Settle(400);
  SaveScreenshot(dialog, "tip-of-the-day-german");
  SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

// What the timer found while the tip of the day was open.
int tips_dialogs_seen = 0;

void CALLBACK CloseTipsUnchecked(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindWindowA(nullptr, "Tip of the day");
  if (!dialog) return;
  ++tips_dialogs_seen;
  KillTimer(nullptr, timer);
  CheckDlgButton(dialog, IDC_TIPS_SHOW, BST_UNCHECKED);
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(MainWindowTest, TheFirstActivationOffersTheTipsOnceAndTheFirstRunKeepsTheAnswer) {
  UseShippedLanguages();
  TMainForm& form = Open();
  tips_dialogs_seen = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, CloseTipsUnchecked);
  ShowWindow(form.Handle(), SW_SHOW);
  Settle(1500);
  KillTimer(nullptr, timer);
  EXPECT_EQ(tips_dialogs_seen, 1);
  EXPECT_EQ(Stored("ShowTips"), 0) << "stored though no settings key existed";
  SendMessageA(form.Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
  Settle(300);
  EXPECT_EQ(FindWindowA(nullptr, "Tip of the day"), nullptr) << "once per run";
}

TEST_F(MainWindowTest, WithShowTipsZeroNoTipIsOffered) {
  UseShippedLanguages();
  NoTips();
  TMainForm& form = Open();
  ShowWindow(form.Handle(), SW_SHOW);
  Settle(500);
  EXPECT_EQ(FindWindowA(nullptr, "Tip of the day"), nullptr);
}

// The Russian file states code page 1251; the program, in UTF-8 by its
// manifest, converts it: Russian reads right under the default code page
// 1252, and under 1251 (LC_ALL=ru_RU.UTF-8, the test entry app_russian).
TEST_F(MainWindowTest, RussianShowsCyrillicCaptionsUnderAnySystemCodePage) {
  // The test entry made for 1251 sets the variable: there, another code
  // page would hide a fault.
  if (std::getenv("TARNEL_REQUIRE_CP1251")) {
    ASSERT_EQ(Win32CodePage::System().Id(), 1251u) << "the system's code page is not 1251";
  }
  UseShippedLanguages();
  NoTips();
  TMainForm& form = Open();
  Send(kFirstLanguageId + 3);
  EXPECT_EQ(MenuCaption(GetMenu(form.Handle()), 0), form.Langv().GetMsg(5));
  EXPECT_EQ(MenuCaption(GetMenu(form.Handle()), 0), "&\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB");  // "&Файл" in UTF-8
  wchar_t wide[32] = L"";
  GetMenuStringW(GetMenu(form.Handle()), 0, wide, 32, MF_BYPOSITION);
  EXPECT_EQ(std::wstring(wide), L"&\x0424\x0430\x0439\x043B");
  ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
  Settle(400);
  SaveScreenshot(form.Handle(), "main-window-russian");
}

}  // namespace
