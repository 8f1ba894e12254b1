#pragma once
// The main menu bar and the two context menus, built from the menu layout,
// showing the window's current texts and the commands' states.
#include <windows.h>

#include <string>
#include <vector>

#include "app/command_rules.h"
#include "app/command_states.h"
#include "app/form_texts.h"
#include "app/menu_layout.h"
#include "app/win32/gdi.h"

class MenuSet {
 public:
  explicit MenuSet(const FormTexts& texts);

  // The bar belongs to the window it is attached to, which destroys it.
  HMENU TakeBar() { return bar_; }
  HMENU TreePopup() const { return tree_popup_.get(); }
  HMENU ListPopup() const { return list_popup_.get(); }
  HMENU Languages() const { return languages_; }

  // Every entry shows the texts as they are now (after a language change).
  void ShowTexts(HWND window);
  // Every menu entry of a command shows its enabled and checked state.
  void ShowCommandStates(const CommandStates& states);
  // Edit > Delete is captioned as the command it stands for, or as itself
  // when it stands for none.
  void ShowDeleteBinding(DeleteBinding binding);

  // The Language menu: one entry per name, in order.
  void SetLanguages(const std::vector<std::string>& names);
  void CheckOnlyLanguage(std::size_t entry);
  std::string LanguageCaption(std::size_t entry) const;

 private:
  HMENU Build(const std::vector<MenuEntry>& entries);
  void Retext(HMENU menu, const std::vector<MenuEntry>& entries);

  const FormTexts& texts_;
  HMENU languages_ = nullptr;  // part of the bar
  HMENU bar_ = nullptr;
  UniqueMenu tree_popup_;
  UniqueMenu list_popup_;
};

// Runs a context menu at a screen point and returns the chosen WM_COMMAND
// number, 0 when none was chosen.
int TrackContextMenu(HWND owner, HMENU menu, POINT screen_point);
