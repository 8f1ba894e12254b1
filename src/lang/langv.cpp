#include "lang/langv.h"

#include <cstdlib>
#include <optional>
#include <unordered_set>

#include "lang/english_lng.h"
#include "lang/message_numbers.h"
#include "platform/case_fold.h"
#include "platform/files.h"
#include "platform/ini_file.h"
#include "platform/registry_accessor.h"
#include "platform/registry_errors.h"
#include "platform/settings_key.h"
#include "platform/root_keys.h"

namespace {

constexpr const char* kCurLangValue = "CurLang";
constexpr const char* kLanguagesSection = "languages";
// A language's code page by number, under the same name as in [languages].
constexpr const char* kCodePagesSection = "code pages";
constexpr const char* kMessagesSection = "Messages";

// The components ApplyToForm captions after the actions, in order, with
// the message each takes.
struct ComponentText {
  const char* component;
  int message;
};
constexpr ComponentText kComponentTexts[] = {
    {"Registry1", kMsgFileMenu},
    {"Edit1", kMsgEditMenu},
    {"View1", kMsgViewMenu},
    {"Options1", kMsgOptionsMenu},
    {"Help1", kMsgHelp},
    {"language1", kMsgLanguageMenu},
    {"ListView1.Column0", kMsgNameColumn},
    {"ListView1.Column1", kMsgDataColumn},
    {"Shortcut.Ctrl", kMsgKeyCtrl},
    {"Shortcut.Shift", kMsgKeyShift},
    {"Shortcut.Del", kMsgKeyDel},
};

std::optional<IniFile> LanguageIndex(FileSystem& files) {
  return LoadIniFile(files, files.ExeFolder() + TLangv::kIndexFile);
}

}  // namespace

std::vector<std::string> ReadMessageTable(const IniFile& file) {
  std::vector<std::string> table;
  std::unordered_set<std::string> seen;
  for (const std::string& name : file.ReadSectionKeys(kMessagesSection)) {
    // A repeated name reads its first value again: nothing changes.
    if (!seen.insert(FoldCase(name)).second) continue;
    std::string text = file.ReadString(kMessagesSection, name, "");
    if (!text.empty()) table.push_back(std::move(text));
  }
  return table;
}

std::string FillIn(const std::string& text, const std::vector<std::string>& arguments) {
  std::string filled;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t argument = i + 1 < text.size() ? static_cast<std::size_t>(text[i + 1] - '1') : arguments.size();
    if (text[i] == '%' && argument < arguments.size() && argument < 9) {
      filled += arguments[argument];
      ++i;
    } else {
      filled += text[i];
    }
  }
  return filled;
}

const std::vector<std::string>& BuiltInEnglishMessages() {
  static const std::vector<std::string> messages = ReadMessageTable(IniFile(kEnglishLanguageFile));
  return messages;
}

std::vector<std::string> ReadLanguageNames(FileSystem& files) {
  const std::optional<IniFile> index = LanguageIndex(files);
  return index ? index->ReadSectionKeys(kLanguagesSection) : std::vector<std::string>{};
}

TLangv::TLangv(TranslatedForm& form, Registry& registry, FileSystem& files)
    : FForm(form), registry_(registry), files_(files) {
  RegistryAccessor reg(registry_, kHkeyCurrentUser);
  if (reg.OpenKeyReadOnly(kSettingsKey) && reg.ValueExists(kCurLangValue)) {
    try {
      FCurLang = reg.ReadString(kCurLangValue);
    } catch (const RegistryError&) {
      // Not text: no language stored.
    }
  }
  if (FCurLang.empty()) FCurLang = kDefaultLanguage;
}

TLangv::~TLangv() {
  RegistryAccessor reg(registry_, kHkeyCurrentUser);
  if (reg.OpenKeyWrite(kSettingsKey)) reg.WriteString(kCurLangValue, FCurLang);
}

std::string TLangv::GetMsg(int index) const {
  if (index < 0) return "";
  if (index < MessageCount()) return FMessages[index];
  const std::vector<std::string>& english = BuiltInEnglishMessages();
  return index < static_cast<int>(english.size()) ? english[index] : "";
}

std::string TLangv::LanguageFile(const std::string& name) const {
  const std::optional<IniFile> index = LanguageIndex(files_);
  const std::string file = index ? index->ReadString(kLanguagesSection, name, "") : "";
  return file.empty() ? "" : files_.ExeFolder() + file;
}

bool TLangv::LoadLanguage(const std::string& name) {
  const std::string file = LanguageFile(name);
  if (file.empty()) return false;
  const std::optional<IniFile> texts = LoadIniFile(files_, file);
  if (!texts) return false;
  std::vector<std::string> messages = ReadMessageTable(*texts);
  if (messages.empty()) return false;
  const std::optional<IniFile> index = LanguageIndex(files_);
  const std::string stated = index ? index->ReadString(kCodePagesSection, name, "") : "";
  const unsigned number = static_cast<unsigned>(std::strtoul(stated.c_str(), nullptr, 10));
  if (program_code_page_ && number != 0 && number != program_code_page_->Id()) {
    const std::unique_ptr<CodePage> file_code_page = code_page_by_number_(number);
    for (std::string& text : messages) text = TextInCodePage(text, *file_code_page, *program_code_page_);
  }
  FCurLang = name;
  FMessages = std::move(messages);
  return true;
}

void TLangv::UseBuiltInEnglish() {
  FCurLang = kDefaultLanguage;
  FMessages.clear();
}

void TLangv::UseCodePages(const CodePage& program, CodePageByNumber by_number) {
  program_code_page_ = &program;
  code_page_by_number_ = std::move(by_number);
}

std::string TextInCodePage(const std::string& text, const CodePage& file, const CodePage& program) {
  const std::optional<std::u16string> wide = file.ToWide(text);
  return wide ? ShownInCodePage(*wide, program) : text;
}

void TLangv::ApplyToForm() {
  for (int action = 0; action < FForm.ActionCount(); ++action) {
    const int tag = FForm.ActionTag(action);
    if (tag > 0) FForm.SetActionCaption(action, GetMsg(tag - 1));
    FForm.SetActionHint(action, FForm.ActionCaption(action));
  }
  for (const ComponentText& text : kComponentTexts) FForm.SetComponentCaption(text.component, GetMsg(text.message));
}
