#pragma once
// The main menu, the two context menus and the tool bar as data. An entry
// that carries a command shows that command's caption, shortcut and state;
// the Language menu shows a text of the window.
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/form_texts.h"

struct MenuEntry {
  enum class Kind { kCommand, kSeparator, kLanguages };
  Kind kind;
  CommandId command = CommandId::kStart;   // for kCommand
  FormText text = FormText::kLanguage1;    // for kLanguages
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
