#pragma once
// The interface texts of one language: the languages are listed in
// lang.ini beside the program, each one's texts in a file of its own whose
// [Messages] section numbers them in order from 0. The name of the current
// language is kept in the user's settings as "CurLang".
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/code_page.h"

class FileSystem;
class IniFile;
class Registry;

// What the texts are put into: the main window, seen as the components its
// language files were made for.
class TranslatedForm {
 public:
  virtual ~TranslatedForm() = default;
  // The window's actions, in the window's order: each one's Tag and texts.
  virtual int ActionCount() const = 0;
  virtual int ActionTag(int action) const = 0;
  virtual std::string ActionCaption(int action) const = 0;
  virtual void SetActionCaption(int action, const std::string& caption) = 0;
  virtual void SetActionHint(int action, const std::string& hint) = 0;
  // Menu entries and list columns by component name: "Registry1",
  // "language1", "ListView1.Column0", ...
  virtual void SetComponentCaption(const std::string& component, const std::string& caption) = 0;
};

class TLangv {
 public:
  static constexpr const char* kIndexFile = "lang.ini";
  static constexpr const char* kDefaultLanguage = "english";

  // Takes the current language from the settings ("english" without one);
  // loads no texts.
  TLangv(TranslatedForm& form, Registry& registry, FileSystem& files);
  // Stores the current language in the settings, creating their key if
  // need be: a choice made on the first run is kept too.
  ~TLangv();
  TLangv(const TLangv&) = delete;
  TLangv& operator=(const TLangv&) = delete;

  const std::string& CurLang() const { return FCurLang; }
  // The message with that number; the built-in English text where the
  // language's table lacks it; empty for a number neither has.
  std::string GetMsg(int index) const;
  int MessageCount() const { return static_cast<int>(FMessages.size()); }
  // The language file lang.ini gives for the name, with the program's
  // folder; empty when it gives none.
  std::string LanguageFile(const std::string& name) const;
  // Makes the name current and reads its texts. A language whose file
  // lang.ini does not give, or that cannot be read or holds no texts, is
  // not switched to: false, and the current language and texts stay.
  bool LoadLanguage(const std::string& name);
  // Makes English current with the texts built into the program.
  void UseBuiltInEnglish();
  // Puts the texts into the window.
  void ApplyToForm();

  using CodePageByNumber = std::function<std::unique_ptr<CodePage>(unsigned)>;
  // From now on texts of a language whose code page lang.ini states are
  // converted to the program's code page as they are loaded; what it cannot
  // hold shows as '?'. Without this, texts are taken as they stand.
  void UseCodePages(const CodePage& program, CodePageByNumber by_number);

 private:
  TranslatedForm& FForm;
  Registry& registry_;
  FileSystem& files_;
  std::string FCurLang;
  std::vector<std::string> FMessages;
  const CodePage* program_code_page_ = nullptr;
  CodePageByNumber code_page_by_number_;
};

// The text with %1 to %9 replaced by the arguments, in one pass: an
// argument's own "%1" stays as it is.
std::string FillIn(const std::string& text, const std::vector<std::string>& arguments);
// The English message table built into the program.
const std::vector<std::string>& BuiltInEnglishMessages();
// The text of a language file in the program's code page: characters it
// lacks become '?'; bytes that are no text of the file's code page stay.
std::string TextInCodePage(const std::string& text, const CodePage& file, const CodePage& program);

// The message table of a language file's [Messages] section: one text per
// name in file order, names without regard to case counted once with their
// first value, names with an empty value left out.
std::vector<std::string> ReadMessageTable(const IniFile& file);
// The language names of lang.ini in file order; none when it is missing.
std::vector<std::string> ReadLanguageNames(FileSystem& files);
