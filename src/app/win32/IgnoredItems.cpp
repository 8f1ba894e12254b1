#include "app/win32/IgnoredItems.h"

#include <commctrl.h>

#include <algorithm>

#include "app/win32/report_list.h"
#include "app/win32/resources.h"

namespace {

enum Column { kKeyColumn, kValueColumn, kAddedColumn };

}  // namespace

TIgnoredItems::TIgnoredItems(Registry& registry, UserMessages& messages, IgnoredDialogTexts texts)
    : DialogWindow(IDD_IGNORED), registry_(registry), messages_(messages), texts_(std::move(texts)) {}

INT_PTR TIgnoredItems::OnMessage(UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      FormCreate();
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case IDC_IGNORED_REMOVE:
          RemoveSelected();
          return TRUE;
        case IDC_IGNORED_REMOVE_ALL:
          RemoveAll();
          return TRUE;
        case IDOK:
        case IDCANCEL:
          Close();
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

void TIgnoredItems::FormCreate() {
  SetWindowTextA(Handle(), texts_.title.c_str());
  SetDlgItemTextA(Handle(), IDC_IGNORED_REMOVE, texts_.remove.c_str());
  SetDlgItemTextA(Handle(), IDC_IGNORED_REMOVE_ALL, texts_.remove_all.c_str());
  SetDlgItemTextA(Handle(), IDOK, texts_.close.c_str());
  HWND list = GetDlgItem(Handle(), IDC_IGNORED_LIST);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
  RECT area{0, 0, 368, 0};
  MapDialogRect(Handle(), &area);
  const int width = area.right - GetSystemMetrics(SM_CXVSCROLL) - 4;
  AddListColumn(list, kKeyColumn, texts_.key_column, width * 62 / 100);
  AddListColumn(list, kValueColumn, texts_.value_column, width * 18 / 100);
  AddListColumn(list, kAddedColumn, texts_.added_column, width * 20 / 100);
  items_ = ReadIgnoreList(registry_);
  ShowItems();
}

void TIgnoredItems::ShowItems() {
  HWND list = GetDlgItem(Handle(), IDC_IGNORED_LIST);
  ListView_DeleteAllItems(list);
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const int row = AppendListRow(list, items_[i].key);
    SetListCell(list, row, kValueColumn, items_[i].value.value_or(""));
    SetListCell(list, row, kAddedColumn, items_[i].added);
  }
  EnableWindow(GetDlgItem(Handle(), IDC_IGNORED_REMOVE), !items_.empty());
  EnableWindow(GetDlgItem(Handle(), IDC_IGNORED_REMOVE_ALL), !items_.empty());
}

void TIgnoredItems::RemoveSelected() {
  HWND list = GetDlgItem(Handle(), IDC_IGNORED_LIST);
  const std::vector<int> rows = SelectedListRows(list);
  if (rows.empty()) return;
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) items_.erase(items_.begin() + *row);
  Store();
}

void TIgnoredItems::RemoveAll() {
  items_.clear();
  Store();
}

void TIgnoredItems::Store() {
  if (!WriteIgnoreList(registry_, items_)) {
    messages_.Error(kIgnoreListNotStored);
    items_ = ReadIgnoreList(registry_);
  }
  ShowItems();
}
