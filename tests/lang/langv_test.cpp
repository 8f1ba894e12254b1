// The language index, the numbering of messages and how the texts reach
// the window, against the in-memory registry and files.
#include <gtest/gtest.h>

#include <map>

#include "lang/langv.h"
#include "platform/ini_file.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"
#include "platform/registry_accessor.h"
#include "platform/settings_key.h"
#include "support/windows_1252.h"
#include "platform/root_keys.h"

namespace {

constexpr char kExe[] = "C:\\Program Files\\Tarnel\\";

// A window with three actions and whatever components the texts name.
class FakeForm : public TranslatedForm {
 public:
  struct Action {
    int tag;
    std::string caption;
    std::string hint;
  };
  std::vector<Action> actions{{1, "Start", "Start"}, {0, "RegEdit", "RegEdit"}, {5, "Exit", ""}};
  std::map<std::string, std::string> captions;

  int ActionCount() const override { return static_cast<int>(actions.size()); }
  int ActionTag(int action) const override { return actions[action].tag; }
  std::string ActionCaption(int action) const override { return actions[action].caption; }
  void SetActionCaption(int action, const std::string& caption) override { actions[action].caption = caption; }
  void SetActionHint(int action, const std::string& hint) override { actions[action].hint = hint; }
  void SetComponentCaption(const std::string& component, const std::string& caption) override {
    captions[component] = caption;
  }
};

std::vector<std::string> Table(const std::string& messages) {
  return ReadMessageTable(IniFile("[Messages]\n" + messages));
}

class LangvTest : public testing::Test {
 protected:
  void SetUp() override {
    files_.SetExeFolder(kExe);
    files_.AddFile(std::string(kExe) + "Lang.ini", "[languages]\nenglish=en.lng\ngerman=de.lng\nnofile=\n");
    files_.AddFile(std::string(kExe) + "en.lng", "[Messages]\nm0=Start\nm1=Stop\nm2=Save\nm3=Send\nm4=Exit\nm5=File\n");
    files_.AddFile(std::string(kExe) + "de.lng", "[Messages]\nm0=Starten\n");
  }
  void StoreLanguage(const std::string& name) {
    RegistryAccessor reg(registry_, kHkeyCurrentUser);
    ASSERT_TRUE(reg.OpenKeyWrite(kSettingsKey));
    reg.WriteString("CurLang", name);
  }
  std::string StoredLanguage() {
    RegistryAccessor reg(registry_, kHkeyCurrentUser);
    if (!reg.OpenKeyReadOnly(kSettingsKey) || !reg.ValueExists("CurLang")) return "<none>";
    return reg.ReadString("CurLang");
  }

  MemoryRegistry registry_;
  MemoryFileSystem files_;
  FakeForm form_;
};

TEST(MessageTable, NumbersFollowTheRulesOfTheMessagesSection) {
  EXPECT_EQ(Table("a=first\nb=\nc=third\n"), (std::vector<std::string>{"first", "third"}))
      << "an empty text takes no number";
  EXPECT_EQ(Table("a=first\nb=second\nA=again\nb=later\n"), (std::vector<std::string>{"first", "second"}))
      << "repeated names and names differing in case count once, with the first text";
  EXPECT_EQ(Table("a=x = y=z\nb=  padded  \nc=\"quoted\"\n"), (std::vector<std::string>{"x = y=z", "padded", "quoted"}));
  EXPECT_EQ(Table("a=" + std::string(3000, 'x') + "\n")[0].size(), IniFile::kValueChars);
  EXPECT_TRUE(ReadMessageTable(IniFile("[Other]\na=1\n")).empty());
}

TEST(FillIn, NumberedPlaceholdersTakeTheirArgumentsInOnePass) {
  EXPECT_EQ(FillIn("Aus %1 gel\xF6scht: %2", {"HKCU\\Run", "\"a\""}), "Aus HKCU\\Run gel\xF6scht: \"a\"");
  EXPECT_EQ(FillIn("%2 before %1", {"one", "two"}), "two before one");
  EXPECT_EQ(FillIn("%1", {"100%1"}), "100%1") << "an argument is not filled in again";
  EXPECT_EQ(FillIn("50% of %3 and %", {"a"}), "50% of %3 and %") << "no such argument: the text stays";
}

TEST_F(LangvTest, TheCurrentLanguageComesFromTheSettingsOrIsEnglish) {
  EXPECT_EQ(TLangv(form_, registry_, files_).CurLang(), "english");
  StoreLanguage("german");
  TLangv langv(form_, registry_, files_);
  EXPECT_EQ(langv.CurLang(), "german");
  EXPECT_EQ(langv.MessageCount(), 0) << "nothing loaded yet";
}

TEST_F(LangvTest, LoadLanguageReadsTheNamedFileAndEnglishFillsWhatItLacks) {
  TLangv langv(form_, registry_, files_);
  EXPECT_EQ(langv.GetMsg(0), BuiltInEnglishMessages().at(0)) << "no language loaded: the built-in texts";
  EXPECT_TRUE(langv.LoadLanguage("English"));  // lang.ini's names are found without regard to case
  EXPECT_EQ(langv.LanguageFile("english"), std::string(kExe) + "en.lng");
  EXPECT_EQ(langv.MessageCount(), 6);
  EXPECT_EQ(langv.GetMsg(0), "Start");
  EXPECT_EQ(langv.GetMsg(5), "File");
  EXPECT_EQ(langv.GetMsg(6), BuiltInEnglishMessages().at(6)) << "beyond the table: the built-in text";
  EXPECT_EQ(langv.GetMsg(100000), "");
  EXPECT_EQ(langv.GetMsg(-1), "");
}

TEST_F(LangvTest, ALanguageWhoseFileCannotBeReadIsNotSwitchedTo) {
  files_.AddFile(std::string(kExe) + "Lang.ini",
                 "[languages]\nenglish=en.lng\nnofile=\ngone=gone.lng\nbroken=broken.lng\n");
  files_.AddFile(std::string(kExe) + "broken.lng", "Start=Starten\n[Other]\nm0=x\n");
  TLangv langv(form_, registry_, files_);
  ASSERT_TRUE(langv.LoadLanguage("english"));
  for (const char* name : {"nofile", "missing", "gone", "broken"}) {
    EXPECT_FALSE(langv.LoadLanguage(name)) << name;
    EXPECT_EQ(langv.CurLang(), "english") << name;
    EXPECT_EQ(langv.GetMsg(0), "Start") << name << ": the texts stay";
  }
  EXPECT_EQ(langv.LanguageFile("nofile"), "");
  EXPECT_EQ(langv.LanguageFile("gone"), std::string(kExe) + "gone.lng");
}

TEST_F(LangvTest, ApplyToFormCaptionsByTagAndFillsWhatTheTableLacksInEnglish) {
  TLangv langv(form_, registry_, files_);
  ASSERT_TRUE(langv.LoadLanguage("german"));
  langv.ApplyToForm();
  EXPECT_EQ(form_.actions[0].caption, "Starten");
  EXPECT_EQ(form_.actions[0].hint, "Starten") << "hints follow captions";
  EXPECT_EQ(form_.actions[1].caption, "RegEdit") << "Tag 0 is never translated";
  EXPECT_EQ(form_.actions[1].hint, "RegEdit");
  EXPECT_EQ(form_.actions[2].caption, BuiltInEnglishMessages().at(4)) << "message 4 is beyond the table";
  EXPECT_EQ(form_.actions[2].hint, BuiltInEnglishMessages().at(4));
  EXPECT_EQ(form_.captions.size(), 11u) << "the menu entries that are commands take their texts by Tag";
  for (const auto& [component, caption] : form_.captions) EXPECT_NE(caption, "") << component;

  ASSERT_TRUE(langv.LoadLanguage("english"));
  langv.ApplyToForm();
  EXPECT_EQ(form_.captions["Registry1"], "File");
  EXPECT_EQ(form_.actions[2].caption, "Exit");
}

TEST_F(LangvTest, TheLanguageIsStoredEvenOnTheFirstRun) {
  {
    TLangv langv(form_, registry_, files_);
    langv.LoadLanguage("german");
  }
  EXPECT_EQ(StoredLanguage(), "german");
  {
    TLangv langv(form_, registry_, files_);
    EXPECT_EQ(langv.CurLang(), "german");
  }
}

TEST_F(LangvTest, LanguageNamesAreLangIniInFileOrder) {
  EXPECT_EQ(ReadLanguageNames(files_), (std::vector<std::string>{"english", "german", "nofile"}));
  files_.DeleteFile(std::string(kExe) + "lang.ini");
  EXPECT_TRUE(ReadLanguageNames(files_).empty());
}

TEST_F(LangvTest, TextsOfAStatedCodePageAreConvertedToTheProgramsAsTheyLoad) {
  files_.AddFile(std::string(kExe) + "Lang.ini",
                 "[languages]\nenglish=en.lng\ngerman=de.lng\n[code pages]\ngerman=1252\nenglish=65001\n");
  files_.AddFile(std::string(kExe) + "de.lng", "[Messages]\nm0=\xDC\x62\x65r \x80\nm1=\xC3\n");
  const Utf8CodePage utf8;
  const Windows1252 cp1252;
  TLangv langv(form_, registry_, files_);
  langv.UseCodePages(utf8, [](unsigned number) -> std::unique_ptr<CodePage> {
    EXPECT_EQ(number, 1252u);
    return std::make_unique<Windows1252>();
  });
  langv.LoadLanguage("german");
  EXPECT_EQ(langv.GetMsg(0), "\xC3\x9C\x62\x65r \xE2\x82\xAC");  // "Über €" in UTF-8
  EXPECT_EQ(langv.GetMsg(1), "\xC3\x83");
  // A program on 1252 takes a 1252 file as it stands.
  TLangv in_1252(form_, registry_, files_);
  in_1252.UseCodePages(cp1252, [](unsigned) -> std::unique_ptr<CodePage> { return nullptr; });
  in_1252.LoadLanguage("german");
  EXPECT_EQ(in_1252.GetMsg(0), "\xDC\x62\x65r \x80");
  // What the program's code page lacks shows as '?'.
  EXPECT_EQ(TextInCodePage("\xD0\xA2 \xE2\x82\xAC", utf8, cp1252), "? \x80");
  EXPECT_EQ(TextInCodePage("\xFF", utf8, cp1252), "\xFF");
}

}  // namespace
