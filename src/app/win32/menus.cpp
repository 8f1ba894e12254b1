#include "app/win32/menus.h"

#include "app/win32/command_ids.h"

MenuSet::MenuSet(const CommandTexts& texts) : texts_(texts) {
  bar_ = CreateMenu();
  for (const Menu& menu : MainMenu()) AppendMenuA(bar_, MF_POPUP, reinterpret_cast<UINT_PTR>(Build(menu.entries)), menu.caption);
  tree_popup_.reset(Build(TreePopupMenu()));
  list_popup_.reset(Build(ListPopupMenu()));
  SetItemChecked(MenuItemId::kToolBar2, true);
  SetItemChecked(MenuItemId::kStatusBar2, true);
  SetItemEnabled(MenuItemId::kDelete1, false);
}

HMENU MenuSet::Build(const std::vector<MenuEntry>& entries) {
  HMENU menu = CreatePopupMenu();
  for (const MenuEntry& entry : entries) {
    switch (entry.kind) {
      case MenuEntry::Kind::kSeparator:
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        break;
      case MenuEntry::Kind::kLanguages:
        languages_ = CreatePopupMenu();
        AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(languages_), entry.caption);
        break;
      case MenuEntry::Kind::kItem:
        AppendMenuA(menu, MF_STRING, WmIdOf(entry.item), entry.caption);
        break;
      case MenuEntry::Kind::kCommand: {
        const int id = WmIdOf(entry.command);
        const std::string text = MenuText(texts_.Caption(entry.command), CommandOf(entry.command).shortcut);
        AppendMenuA(menu, MF_STRING, id, text.c_str());
        if (entry.is_default) SetMenuDefaultItem(menu, id, FALSE);
        break;
      }
    }
  }
  return menu;
}

void MenuSet::ShowCommandStates(const CommandStates& states) {
  for (HMENU menu : {bar_, tree_popup_.get(), list_popup_.get()}) {
    for (const Command& command : Commands()) {
      const int id = WmIdOf(command.id);
      EnableMenuItem(menu, id, MF_BYCOMMAND | (states.Enabled(command.id) ? MF_ENABLED : MF_GRAYED));
      CheckMenuItem(menu, id, MF_BYCOMMAND | (states.Checked(command.id) ? MF_CHECKED : MF_UNCHECKED));
    }
  }
}

void MenuSet::SetItemChecked(MenuItemId item, bool checked) {
  for (HMENU menu : {bar_, tree_popup_.get(), list_popup_.get()})
    CheckMenuItem(menu, WmIdOf(item), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool MenuSet::ItemChecked(MenuItemId item) const {
  return (GetMenuState(bar_, WmIdOf(item), MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void MenuSet::SetItemEnabled(MenuItemId item, bool enabled) {
  for (HMENU menu : {bar_, tree_popup_.get(), list_popup_.get()})
    EnableMenuItem(menu, WmIdOf(item), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

int TrackContextMenu(HWND owner, HMENU menu, POINT screen_point) {
  return static_cast<int>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen_point.x, screen_point.y, 0,
                                         owner, nullptr));
}
