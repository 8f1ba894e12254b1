#include "app/win32/menus.h"

#include "app/win32/command_ids.h"

namespace {

void SetEntryText(HMENU menu, int position, const std::string& text) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = const_cast<char*>(text.c_str());
  SetMenuItemInfoA(menu, position, TRUE, &info);
}

}  // namespace

MenuSet::MenuSet(const FormTexts& texts) : texts_(texts) {
  bar_ = CreateMenu();
  for (const Menu& menu : MainMenu())
    AppendMenuA(bar_, MF_POPUP, reinterpret_cast<UINT_PTR>(Build(menu.entries)), texts_.Text(menu.text).c_str());
  tree_popup_.reset(Build(TreePopupMenu()));
  list_popup_.reset(Build(ListPopupMenu()));
}

HMENU MenuSet::Build(const std::vector<MenuEntry>& entries) {
  HMENU menu = CreatePopupMenu();
  for (const MenuEntry& entry : entries) {
    const std::string text = EntryText(entry, texts_);
    switch (entry.kind) {
      case MenuEntry::Kind::kSeparator:
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        break;
      case MenuEntry::Kind::kLanguages:
        languages_ = CreatePopupMenu();
        AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(languages_), text.c_str());
        break;
      case MenuEntry::Kind::kCommand:
        AppendMenuA(menu, MF_STRING, WmIdOf(entry.command), text.c_str());
        if (entry.is_default) SetMenuDefaultItem(menu, WmIdOf(entry.command), FALSE);
        break;
    }
  }
  return menu;
}

void MenuSet::Retext(HMENU menu, const std::vector<MenuEntry>& entries) {
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (entries[i].kind != MenuEntry::Kind::kSeparator)
      SetEntryText(menu, static_cast<int>(i), EntryText(entries[i], texts_));
}

void MenuSet::ShowTexts(HWND window) {
  const std::vector<Menu>& menus = MainMenu();
  for (std::size_t i = 0; i < menus.size(); ++i) {
    SetEntryText(bar_, static_cast<int>(i), texts_.Text(menus[i].text));
    Retext(GetSubMenu(bar_, static_cast<int>(i)), menus[i].entries);
  }
  Retext(tree_popup_.get(), TreePopupMenu());
  Retext(list_popup_.get(), ListPopupMenu());
  DrawMenuBar(window);
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

void MenuSet::ShowDeleteBinding(DeleteBinding binding) {
  const CommandId shown = binding == DeleteBinding::kDeleteKey     ? CommandId::kDeleteKey
                          : binding == DeleteBinding::kDeleteValue ? CommandId::kDeleteValue
                                                                   : CommandId::kDelete;
  const std::string text = MenuText(texts_.Commands().Caption(shown), CommandOf(shown).shortcut, texts_.KeyNames());
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = const_cast<char*>(text.c_str());
  SetMenuItemInfoA(bar_, WmIdOf(CommandId::kDelete), FALSE, &info);
}

void MenuSet::SetLanguages(const std::vector<std::string>& names) {
  while (GetMenuItemCount(languages_) > 0) DeleteMenu(languages_, 0, MF_BYPOSITION);
  for (std::size_t i = 0; i < names.size(); ++i)
    AppendMenuA(languages_, MF_STRING, kFirstLanguageId + i, names[i].c_str());
}

void MenuSet::CheckOnlyLanguage(std::size_t entry) {
  for (int i = 0; i < GetMenuItemCount(languages_); ++i)
    CheckMenuItem(languages_, i, MF_BYPOSITION | (static_cast<std::size_t>(i) == entry ? MF_CHECKED : MF_UNCHECKED));
}

std::string MenuSet::LanguageCaption(std::size_t entry) const {
  char text[256] = "";
  GetMenuStringA(languages_, static_cast<UINT>(entry), text, sizeof text, MF_BYPOSITION);
  return text;
}

int TrackContextMenu(HWND owner, HMENU menu, POINT screen_point) {
  return static_cast<int>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen_point.x, screen_point.y, 0,
                                         owner, nullptr));
}
