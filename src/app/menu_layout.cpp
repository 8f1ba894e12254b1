#include "app/menu_layout.h"

namespace {

MenuEntry Do(CommandId id, bool is_default = false) {
  MenuEntry entry{MenuEntry::Kind::kCommand};
  entry.command = id;
  entry.is_default = is_default;
  return entry;
}

MenuEntry Item(MenuItemId id, FormText text) {
  MenuEntry entry{MenuEntry::Kind::kItem};
  entry.item = id;
  entry.text = text;
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
          Do(CommandId::kSend), Item(MenuItemId::kRestoreBackup, FormText::kRestoreBackup),
          Do(CommandId::kBackups), kSeparator,
          Do(CommandId::kClose)}},
        {FormText::kEditMenu,
         {Do(CommandId::kUndoDelete), kSeparator, Do(CommandId::kSelectAll), Item(MenuItemId::kDelete1, FormText::kDelete1), Do(CommandId::kDeleteAll),
          Do(CommandId::kIgnore), kSeparator, Do(CommandId::kCopyKeyName)}},
        {FormText::kViewMenu,
         {Item(MenuItemId::kToolBar2, FormText::kToolBar2), Item(MenuItemId::kStatusBar2, FormText::kStatusBar2),
          Do(CommandId::kAllValues)}},
        {FormText::kOptionsMenu,
         {Item(MenuItemId::kAutostart1, FormText::kAutostart1),
          Item(MenuItemId::kIgnoredItems, FormText::kIgnoredItems), Do(CommandId::kRestorePoint), languages}},
        {FormText::kHelpMenu, {Do(CommandId::kHelpContents), Item(MenuItemId::kAbout1, FormText::kAbout1)}},
    };
  }();
  return menu;
}

const std::vector<MenuEntry>& TreePopupMenu() {
  static const std::vector<MenuEntry> menu{
      Do(CommandId::kRegEdit, true), Do(CommandId::kDeleteKey),   Do(CommandId::kIgnore),
      kSeparator,                    Do(CommandId::kDeleteAll),   kSeparator,
      Do(CommandId::kCopyKeyName),   Item(MenuItemId::kCopyOnlyName1, FormText::kCopyOnlyName1)};
  return menu;
}

const std::vector<MenuEntry>& ListPopupMenu() {
  static const std::vector<MenuEntry> menu{Do(CommandId::kRegEdit, true),
                                           Do(CommandId::kDeleteValue),
                                           Do(CommandId::kIgnore),
                                           kSeparator,
                                           Item(MenuItemId::kCopyName1, FormText::kCopyName1),
                                           Item(MenuItemId::kCopyValue1, FormText::kCopyValue1),
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
