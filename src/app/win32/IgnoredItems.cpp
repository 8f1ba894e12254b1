#include "app/win32/IgnoredItems.h"

#include <commctrl.h>

#include <algorithm>

#include "app/win32/report_list.h"
#include "app/win32/resources.h"
#include "app/win32/wide_text.h"
#include "platform/case_fold.h"
#include "platform/registry_accessor.h"
#include "platform/registry_errors.h"
#include "platform/settings_key.h"
#include "platform/root_keys.h"

namespace {

enum Column { kKeyColumn, kValueColumn, kAddedColumn };
// The size the user gave the dialog, in the settings.
constexpr const char* kWidthSetting = "IgnoredWidth";
constexpr const char* kHeightSetting = "IgnoredHeight";

bool ByKey(const IgnoredItem& a, const IgnoredItem& b) {
  const std::string key_a = FoldCase(a.key), key_b = FoldCase(b.key);
  if (key_a != key_b) return key_a < key_b;
  return FoldCase(a.value.value_or("")) < FoldCase(b.value.value_or(""));
}

}  // namespace

TIgnoredItems::TIgnoredItems(Registry& registry, UserMessages& messages, IgnoredDialogTexts texts)
    : DialogWindow(IDD_IGNORED), registry_(registry), messages_(messages), texts_(std::move(texts)) {}

INT_PTR TIgnoredItems::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      FormCreate();
      return TRUE;
    case WM_SIZE:
      Layout();
      return TRUE;
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lparam)->ptMinTrackSize = smallest_;
      return TRUE;
    case WM_NOTIFY:
      return OnListNotify(*reinterpret_cast<NMHDR*>(lparam));
    case WM_DESTROY:
      StoreSize();
      return FALSE;
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
  RECT area{0, 0, 368, 0};
  MapDialogRect(Handle(), &area);
  const int width = area.right - GetSystemMetrics(SM_CXVSCROLL) - 4;
  AddListColumn(list, kKeyColumn, texts_.key_column, width * 62 / 100);
  AddListColumn(list, kValueColumn, texts_.value_column, width * 18 / 100);
  AddListColumn(list, kAddedColumn, texts_.added_column, width * 20 / 100);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
  items_ = ReadIgnoreList(registry_);
  std::stable_sort(items_.begin(), items_.end(), ByKey);
  ShowItems();
  // As designed it is the smallest; then as the user left it.
  RECT window{};
  GetWindowRect(Handle(), &window);
  smallest_ = {window.right - window.left, window.bottom - window.top};
  RECT client{};
  GetClientRect(Handle(), &client);
  RECT list_rect{};
  GetWindowRect(list, &list_rect);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&list_rect), 2);
  margin_ = list_rect.left;
  buttons_gap_ = client.bottom - list_rect.bottom;
  RegistryAccessor settings(registry_, kHkeyCurrentUser);
  if (settings.OpenKeyReadOnly(kSettingsKey) && settings.ValueExists(kWidthSetting) &&
      settings.ValueExists(kHeightSetting)) {
    try {
      SetWindowPos(Handle(), nullptr, 0, 0, std::max<int>(settings.ReadInteger(kWidthSetting), smallest_.x),
                   std::max<int>(settings.ReadInteger(kHeightSetting), smallest_.y), SWP_NOMOVE | SWP_NOZORDER);
    } catch (const RegistryError&) {
      // Not numbers: the designed size.
    }
  }
}

// The list takes the room; the buttons keep to the bottom, Close to the
// right.
void TIgnoredItems::Layout() {
  if (margin_ == 0) return;  // before the dialog is set up
  RECT client{};
  GetClientRect(Handle(), &client);
  HWND list = GetDlgItem(Handle(), IDC_IGNORED_LIST);
  const int list_bottom = client.bottom - buttons_gap_;
  MoveWindow(list, margin_, margin_, client.right - 2 * margin_, list_bottom - margin_, TRUE);
  for (const int id : {IDC_IGNORED_REMOVE, IDC_IGNORED_REMOVE_ALL, IDOK}) {
    HWND button = GetDlgItem(Handle(), id);
    RECT rect{};
    GetWindowRect(button, &rect);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&rect), 2);
    const int left = id == IDOK ? client.right - margin_ - (rect.right - rect.left) : rect.left;
    const int top = list_bottom + (buttons_gap_ - (rect.bottom - rect.top)) / 2;
    MoveWindow(button, left, top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
  }
  // The key column takes what the others leave.
  const int others = ListView_GetColumnWidth(list, kValueColumn) + ListView_GetColumnWidth(list, kAddedColumn);
  RECT inside{};
  GetClientRect(list, &inside);
  ListView_SetColumnWidth(list, kKeyColumn, std::max(60, static_cast<int>(inside.right) - others));
}

void TIgnoredItems::StoreSize() {
  RECT window{};
  GetWindowRect(Handle(), &window);
  RegistryAccessor settings(registry_, kHkeyCurrentUser);
  if (!settings.OpenKeyWrite(kSettingsKey)) return;
  settings.WriteInteger(kWidthSetting, window.right - window.left);
  settings.WriteInteger(kHeightSetting, window.bottom - window.top);
}

// A key too long for its column gives up its middle, not its last keys;
// the whole path shows as the row's tip.
INT_PTR TIgnoredItems::OnListNotify(const NMHDR& header) {
  if (header.idFrom != IDC_IGNORED_LIST) return FALSE;
  if (header.code == LVN_GETINFOTIPA) {
    auto& tip = const_cast<NMLVGETINFOTIPA&>(reinterpret_cast<const NMLVGETINFOTIPA&>(header));
    if (tip.iItem >= 0 && static_cast<std::size_t>(tip.iItem) < items_.size() && tip.cchTextMax > 0)
      lstrcpynA(tip.pszText, items_[tip.iItem].key.c_str(), tip.cchTextMax);
    return TRUE;
  }
  if (header.code != NM_CUSTOMDRAW) return FALSE;
  auto& draw = const_cast<NMLVCUSTOMDRAW&>(reinterpret_cast<const NMLVCUSTOMDRAW&>(header));
  LRESULT result = CDRF_DODEFAULT;
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
    result = CDRF_NOTIFYITEMDRAW;
  } else if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
    result = CDRF_NOTIFYSUBITEMDRAW;
  } else if (draw.nmcd.dwDrawStage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM) && draw.iSubItem == kKeyColumn &&
             draw.nmcd.dwItemSpec < items_.size()) {
    HWND list = header.hwndFrom;
    const int row = static_cast<int>(draw.nmcd.dwItemSpec);
    RECT cell{};
    cell.top = kKeyColumn;
    cell.left = LVIR_LABEL;
    SendMessageA(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell));
    const bool selected = ListView_GetItemState(list, row, LVIS_SELECTED) != 0;
    FillRect(draw.nmcd.hdc, &cell, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetTextColor(draw.nmcd.hdc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SetBkMode(draw.nmcd.hdc, TRANSPARENT);
    RECT text = cell;
    text.left += 2;
    text.right -= 2;
    const std::u16string key = WideText(items_[row].key);
    DrawTextW(draw.nmcd.hdc, W(key), static_cast<int>(key.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_PATH_ELLIPSIS);
    result = CDRF_SKIPDEFAULT;
  }
  SetWindowLongPtrA(Handle(), DWLP_MSGRESULT, result);
  return TRUE;
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
    messages_.Error(texts_.not_stored);
    items_ = ReadIgnoreList(registry_);
  }
  ShowItems();
}
