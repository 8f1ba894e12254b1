#pragma once
// The main menu, the two context menus and the tool bar as data. An entry
// that carries a command shows that command's caption, shortcut and state;
// the others show a text of the window.
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/form_texts.h"

// Menu entries that carry no command: the handlers that own them set their
// state.
enum class MenuItemId {
  kToolBar2,        // View > ToolBar
  kStatusBar2,      // View > StatusBar
  kAutostart1,      // Options > Autostart
  kAbout1,          // Help > About..
  kDelete1,         // Edit > Delete, bound to a delete command when the menu opens
  kCopyOnlyName1,   // tree: Copy Only Name
  kCopyName1,       // list: Copy Name
  kCopyValue1,      // list: Copy Value
  kRestoreBackup,   // File > Restore backup..
  kIgnoredItems,    // Options > Ignored items..
};
inline constexpr int kMenuItemCount = 10;

struct MenuEntry {
  enum class Kind { kCommand, kItem, kSeparator, kLanguages };
  Kind kind;
  CommandId command = CommandId::kStart;  // for kCommand
  MenuItemId item = MenuItemId::kAbout1;  // for kItem
  FormText text = FormText::kAbout1;      // for kItem and kLanguages
  bool is_default = false;                // drawn bold; what a double click runs
};

struct Menu {
  FormText text;
  std::vector<MenuEntry> entries;
};

const std::vector<Menu>& MainMenu();
const std::vector<MenuEntry>& TreePopupMenu();  // PopupMenu1
const std::vector<MenuEntry>& ListPopupMenu();  // PopupMenu2

// The tool bar's buttons in order; a kSeparator entry is a gap.
const std::vector<MenuEntry>& ToolBarButtons();

// What an entry shows: a command's caption and shortcut, or the entry's text.
std::string EntryText(const MenuEntry& entry, const FormTexts& texts);
