// The tip of the day's texts, its cycle and its setting; the Language
// menu's decisions.
#include <gtest/gtest.h>

#include "app/backup_center_texts.h"
#include "app/form_texts.h"
#include "app/ignore_texts.h"
#include "app/language_menu.h"
#include "app/tips.h"
#include "clean/backup_history.h"
#include "clean/ignore_list.h"
#include "lang/langv.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"
#include "platform/registry_accessor.h"
#include "platform/settings_key.h"
#include "platform/root_keys.h"

namespace {

TEST(TipCycle, TenTipsFromMessage38ComeRoundAgain) {
  MemoryFileSystem files;
  std::string messages = "[Messages]\n";
  for (int i = 0; i < 48; ++i) {
    const std::string number = std::to_string(i);
    messages.append("m").append(number).append("=text ").append(number).append("\n");
  }
  files.AddFile(files.ExeFolder() + "lang.ini", "[languages]\nenglish=en.lng\n");
  files.AddFile(files.ExeFolder() + "en.lng", messages);
  MemoryRegistry registry;
  FormTexts form;
  TLangv langv(form, registry, files);
  langv.LoadLanguage("english");
  TipCycle tips(langv);
  EXPECT_EQ(tips.Current(), "text 38");
  EXPECT_EQ(tips.NextCaption(), "text 30>");
  EXPECT_EQ(tips.CloseCaption(), "text 29");
  EXPECT_EQ(tips.Title(), "text 28");
  EXPECT_EQ(tips.Heading(), "text 31");
  EXPECT_EQ(tips.ShowAtStartupCaption(), "text 32");
  for (int i = 0; i < 9; ++i) tips.Next();
  EXPECT_EQ(tips.Current(), "text 47");
  tips.Next();
  EXPECT_EQ(tips.Index(), 0);
  EXPECT_EQ(tips.Current(), "text 38");

  TLangv none(form, registry, files);  // nothing loaded: the built-in English
  TipCycle english(none);
  EXPECT_EQ(english.Current(), BuiltInEnglishMessages().at(38));
  EXPECT_EQ(english.NextCaption(), "&Next Tip>");
  EXPECT_EQ(english.CloseCaption(), "&Close");
  EXPECT_EQ(english.Title(), "Tip of the day");
  EXPECT_EQ(english.Heading(), "Did you know...");
  EXPECT_EQ(english.ShowAtStartupCaption(), "Show tips at startup");
}

TEST(ShowTipsSetting, ShownUnlessStoredAsZeroAndStoredOnTheFirstRunToo) {
  MemoryRegistry registry;
  EXPECT_TRUE(ReadShowTips(registry));
  WriteShowTips(registry, false);
  EXPECT_FALSE(ReadShowTips(registry)) << "the unchecked box survives the first run";
  WriteShowTips(registry, true);
  EXPECT_TRUE(ReadShowTips(registry));
  RegistryAccessor reg(registry, kHkeyCurrentUser);
  ASSERT_TRUE(reg.OpenKeyWrite(kSettingsKey));
  reg.WriteString("ShowTips", "0");
  EXPECT_TRUE(ReadShowTips(registry)) << "not a number: as if nothing were stored";
}

TEST(LanguageMenu, TheCurrentEntryMatchesExactlyAndAnAmpersandIsNoPartOfTheName) {
  const std::vector<std::string> names{"English", "&german", "german"};
  EXPECT_FALSE(CurrentLanguageEntry(names, "english")) << "letter case counts";
  EXPECT_EQ(CurrentLanguageEntry(names, "german"), 2u);
  EXPECT_EQ(LanguageOfCaption("&english"), "english");
  EXPECT_EQ(LanguageOfCaption("eng&lish"), "eng&lish");
  EXPECT_EQ(LanguageOfCaption(""), "");
}

TEST(LanguageMenu, ALanguageNotLoadedIsSaidInTheLanguageShown) {
  FormTexts form;
  MemoryRegistry registry;
  MemoryFileSystem files;
  const TLangv english(form, registry, files);  // no language file: the built-in texts
  EXPECT_EQ(LanguageNotLoadedText("german", "C:\\T\\german.lng", english),
            "The language file C:\\T\\german.lng is missing or holds no [Messages]. The interface stays in english.");
  EXPECT_EQ(LanguageNotLoadedText("klingon", "", english),
            "lang.ini names no file for the language \"klingon\". The interface stays in english.");
}

// The English of the window's texts is the command-line program's.
TEST(NotStoredTexts, NameTheKeyAsTheSharedEnglishTextsDo) {
  FormTexts form;
  MemoryRegistry registry;
  MemoryFileSystem files;
  const TLangv english(form, registry, files);
  EXPECT_EQ(IgnoreListNotStoredText(english), kIgnoreListNotStored);
  EXPECT_EQ(IgnoredDialogTextsOf(english).not_stored, kIgnoreListNotStored);
  EXPECT_EQ(BackupHistoryNotStoredText(english), kBackupHistoryNotStored);
  EXPECT_EQ(BackupCenterTextsOf(english).history_not_stored, kBackupHistoryNotStored);
}

TEST(FormTexts, ComponentsOfTheLanguageFilesReachTheirTexts) {
  FormTexts texts;
  EXPECT_EQ(texts.Text(FormText::kNameColumn), "Name");
  texts.SetComponentCaption("ListView1.Column1", "Daten");
  texts.SetActionCaption(static_cast<int>(CommandId::kCopyOnlyName), "Nur Namen kopieren");
  texts.SetComponentCaption("NoSuchComponent", "x");
  EXPECT_EQ(texts.Text(FormText::kDataColumn), "Daten");
  EXPECT_EQ(texts.Commands().Caption(CommandId::kCopyOnlyName), "Nur Namen kopieren");
  EXPECT_EQ(texts.ActionTag(static_cast<int>(CommandId::kDeleteKey)), 24);
  EXPECT_EQ(texts.ActionTag(static_cast<int>(CommandId::kCopyOnlyName)), 26) << "message 25";
}

}  // namespace
