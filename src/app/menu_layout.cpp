#include "app/menu_layout.h"

namespace {

MenuEntry Do(CommandId id, bool is_default = false) {
  MenuEntry entry{MenuEntry::Kind::kCommand};
  entry.command = id;
  entry.is_default = is_default;
  return entry;
}

MenuEntry Item(MenuItemId id, const char* name, const char* caption) {
  MenuEntry entry{MenuEntry::Kind::kItem};
  entry.item = id;
  entry.name = name;
  entry.caption = caption;
  return entry;
}

const MenuEntry kSeparator{MenuEntry::Kind::kSeparator};

}  // namespace

const std::vector<Menu>& MainMenu() {
  static const std::vector<Menu> menu = [] {
    MenuEntry languages{MenuEntry::Kind::kLanguages};
    languages.name = "language1";
    languages.caption = "Language..";
    return std::vector<Menu>{
        {"Registry1", "File",
         {Do(CommandId::kStart), Do(CommandId::kStop), kSeparator, Do(CommandId::kSaveToFile),
          Do(CommandId::kSend), kSeparator, Do(CommandId::kClose)}},
        {"Edit1", "Edit",
         {Do(CommandId::kSelectAll), Item(MenuItemId::kDelete1, "Delete1", "Delete"), Do(CommandId::kDeleteAll),
          kSeparator, Do(CommandId::kCopyKeyName)}},
        {"View1", "View",
         {Item(MenuItemId::kToolBar2, "ToolBar2", "ToolBar"), Item(MenuItemId::kStatusBar2, "StatusBar2", "StatusBar"),
          Do(CommandId::kAllValues)}},
        {"Options1", "Options", {Item(MenuItemId::kAutostart1, "Autostart1", "Autostart"), languages}},
        {"Help1", "Help", {Do(CommandId::kHelpContents), Item(MenuItemId::kAbout1, "About1", "&About..")}},
    };
  }();
  return menu;
}

const std::vector<MenuEntry>& TreePopupMenu() {
  static const std::vector<MenuEntry> menu{
      Do(CommandId::kRegEdit, true), Do(CommandId::kDeleteKey),   kSeparator,
      Do(CommandId::kDeleteAll),     kSeparator,                  Do(CommandId::kCopyKeyName),
      Item(MenuItemId::kCopyOnlyName1, "COpyOnlyName1", "Copy Only Name")};
  return menu;
}

const std::vector<MenuEntry>& ListPopupMenu() {
  static const std::vector<MenuEntry> menu{Do(CommandId::kRegEdit, true),
                                           Do(CommandId::kDeleteValue),
                                           kSeparator,
                                           Item(MenuItemId::kCopyName1, "CopyName1", "Copy Name"),
                                           Item(MenuItemId::kCopyValue1, "CopyValue1", "Copy Value"),
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

std::string BuiltInCaption(const MenuEntry& entry) {
  return entry.kind == MenuEntry::Kind::kCommand ? CommandOf(entry.command).caption : entry.caption;
}
