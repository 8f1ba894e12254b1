#pragma once
// Options > Ignored items..: the user's ignore list, each key or value with
// the date it was added; Remove takes the selected items off the list,
// Remove all every one. A removed item shows again at the next scan. The
// items show sorted by key; the dialog can be resized and keeps its size.
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
  void Layout();
  void StoreSize();
  INT_PTR OnListNotify(const NMHDR& header);
  void ShowItems();
  void RemoveSelected();
  void RemoveAll();
  void Store();

  Registry& registry_;
  UserMessages& messages_;
  IgnoredDialogTexts texts_;
  std::vector<IgnoredItem> items_;  // in the list's order: by key
  POINT smallest_{};
  int margin_ = 0;       // around the list
  int buttons_gap_ = 0;  // below the list, where the buttons are
};
