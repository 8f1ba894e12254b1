#pragma once
// Every text of the main window that a language can change: the commands'
// captions and hints, the menus and the list's column headings. The window
// shows what these hold.
#include <array>
#include <string>

#include "app/command_texts.h"
#include "lang/langv.h"

enum class FormText {
  kFileMenu,       // Registry1
  kEditMenu,       // Edit1
  kViewMenu,       // View1
  kOptionsMenu,    // Options1
  kHelpMenu,       // Help1
  kLanguage1,
  kNameColumn,     // ListView1.Column0
  kDataColumn,     // ListView1.Column1
  kKeyCtrl,        // the words of the menus' shortcut texts
  kKeyShift,
  kKeyDel,
};
inline constexpr std::size_t kFormTextCount = 11;

class FormTexts : public TranslatedForm {
 public:
  FormTexts();  // the built-in English texts

  CommandTexts& Commands() { return commands_; }
  const CommandTexts& Commands() const { return commands_; }
  const std::string& Text(FormText text) const { return texts_[static_cast<std::size_t>(text)]; }
  ShortcutKeyNames KeyNames() const;

  int ActionCount() const override;
  int ActionTag(int action) const override;
  std::string ActionCaption(int action) const override;
  void SetActionCaption(int action, const std::string& caption) override;
  void SetActionHint(int action, const std::string& hint) override;
  // Names no text of this window: ignored.
  void SetComponentCaption(const std::string& component, const std::string& caption) override;

 private:
  CommandTexts commands_;
  std::array<std::string, kFormTextCount> texts_;
};
