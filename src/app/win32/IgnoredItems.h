#pragma once
// Options > Ignored items..: the user's ignore list, each key or value with
// the date it was added; Remove takes the selected items off the list,
// Remove all every one. A removed item shows again at the next scan.
#include <windows.h>

#include <vector>

#include "clean/ignore_list.h"
#include "app/ignore_texts.h"
#include "app/user_messages.h"
#include "app/win32/dialog_window.h"

class TIgnoredItems : public DialogWindow {
 public:
  TIgnoredItems(Registry& registry, UserMessages& messages, IgnoredDialogTexts texts);

 private:
  INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void FormCreate();
  void ShowItems();
  void RemoveSelected();
  void RemoveAll();
  void Store();

  Registry& registry_;
  UserMessages& messages_;
  IgnoredDialogTexts texts_;
  std::vector<IgnoredItem> items_;
};
