#include "app/menu_layout.h"

namespace {

MenuEntry Do(CommandId id, bool is_default = false) {
  MenuEntry entry{MenuEntry::Kind::kCommand};
  entry.command = id;
  entry.is_default = is_default;
  return entry;
}

const MenuEntry kSeparator{MenuEntry::Kind::kSeparator};

}  // namespace

const std::vector<Menu>& MainMenu() {
  static const std::vector<Menu> menu = [] {
    MenuEntry languages{MenuEntry::Kind::kLanguages};
    languages.text = FormText::kLanguage1;
    return std::vector<Menu>{
        {FormText::kFileMenu,
         {Do(CommandId::kStart), Do(CommandId::kStop), kSeparator, Do(CommandId::kSaveToFile),
          Do(CommandId::kSend), Do(CommandId::kRestoreBackup), Do(CommandId::kBackups), kSeparator,
          Do(CommandId::kClose)}},
        {FormText::kEditMenu,
         {Do(CommandId::kUndoDelete), kSeparator, Do(CommandId::kSelectAll), Do(CommandId::kDelete),
          Do(CommandId::kDeleteAll), Do(CommandId::kIgnore), kSeparator, Do(CommandId::kCopyKeyName)}},
        {FormText::kViewMenu, {Do(CommandId::kToolBar), Do(CommandId::kStatusBar), Do(CommandId::kAllValues)}},
        {FormText::kOptionsMenu,
         {Do(CommandId::kAutostart), Do(CommandId::kIgnoredItems), Do(CommandId::kRestorePoint), languages}},
        {FormText::kHelpMenu, {Do(CommandId::kHelpContents), Do(CommandId::kAbout)}},
    };
  }();
  return menu;
}

const std::vector<MenuEntry>& TreePopupMenu() {
  static const std::vector<MenuEntry> menu{
      Do(CommandId::kRegEdit, true), Do(CommandId::kDeleteKey),   Do(CommandId::kIgnore),
      kSeparator,                    Do(CommandId::kDeleteAll),   kSeparator,
      Do(CommandId::kCopyKeyName),   Do(CommandId::kCopyOnlyName)};
  return menu;
}

const std::vector<MenuEntry>& ListPopupMenu() {
  static const std::vector<MenuEntry> menu{Do(CommandId::kRegEdit, true),
                                           Do(CommandId::kDeleteValue),
                                           Do(CommandId::kIgnore),
                                           kSeparator,
                                           Do(CommandId::kCopyName),
                                           Do(CommandId::kCopyValue),
                                           Do(CommandId::kSelectAll)};
  return menu;
}

const std::vector<MenuEntry>& ToolBarButtons() {
  static const std::vector<MenuEntry> buttons{
      Do(CommandId::kStart),     Do(CommandId::kStop),    kSeparator, Do(CommandId::kSaveToFile),
      Do(CommandId::kSend),      kSeparator,              Do(CommandId::kDeleteKey), kSeparator,
      Do(CommandId::kRegEdit),   kSeparator,              Do(CommandId::kAllValues)};
  return buttons;
}

std::string EntryText(const MenuEntry& entry, const FormTexts& texts) {
  switch (entry.kind) {
    case MenuEntry::Kind::kCommand:
      return MenuText(texts.Commands().Caption(entry.command), CommandOf(entry.command).shortcut, texts.KeyNames());
    case MenuEntry::Kind::kSeparator:
      return "";
    default:
      return texts.Text(entry.text);
  }
}
