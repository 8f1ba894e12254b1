#include "app/win32/list_view.h"

namespace {

void AddColumn(HWND list, int index, const char* heading, int width) {
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = const_cast<char*>(heading);
  column.cx = width;
  SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

}  // namespace

void ListView::Create(HWND parent, int control_id, HINSTANCE instance, HIMAGELIST images, int name_width,
                      int data_width) {
  // Several rows may be selected (no LVS_SINGLESEL); no label editing; the
  // headings do not sort.
  window_ = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS |
                                LVS_NOSORTHEADER,
                            0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id)), instance,
                            nullptr);
  ListView_SetExtendedListViewStyle(window_, LVS_EX_FULLROWSELECT);
  ListView_SetImageList(window_, images, LVSIL_SMALL);
  AddColumn(window_, kNameColumn, "Name", name_width);
  AddColumn(window_, kDataColumn, "Data", data_width);
}

std::string ListView::ColumnHeading(Column index) const {
  char text[256] = "";
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT;
  column.pszText = text;
  column.cchTextMax = sizeof text;
  SendMessageA(window_, LVM_GETCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
  return text;
}

void ListView::SetColumnHeading(Column index, const std::string& heading) {
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT;
  column.pszText = const_cast<char*>(heading.c_str());
  SendMessageA(window_, LVM_SETCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

std::vector<int> ListView::SelectedRows() const {
  std::vector<int> rows;
  for (int row = ListView_GetNextItem(window_, -1, LVNI_SELECTED); row >= 0;
       row = ListView_GetNextItem(window_, row, LVNI_SELECTED))
    rows.push_back(row);
  return rows;
}

std::optional<std::string> ListView::Data(int row) const {
  LVITEMA item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  SendMessageA(window_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  if (item.lParam != kSzTypeCode && item.lParam != kExpandSzTypeCode && item.lParam != kDwordTypeCode)
    return std::nullopt;
  return CellText(row, kDataColumn);
}

std::string ListView::Caption(int row) const { return CellText(row, kNameColumn); }

std::string ListView::CellText(int row, Column column) const {
  std::string text(32768, '\0');
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text.data();
  item.cchTextMax = static_cast<int>(text.size());
  const auto length = SendMessageA(window_, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  text.resize(static_cast<std::size_t>(length));
  return text;
}


std::optional<std::string> ListView::SelectedCaption() const {
  const int row = ListView_GetNextItem(window_, -1, LVNI_SELECTED);
  if (row < 0) return std::nullopt;
  return Caption(row);
}

void ListView::SelectAll() { ListView_SetItemState(window_, -1, LVIS_SELECTED, LVIS_SELECTED); }

void ListView::AddRows(const std::vector<ValueRow>& rows) {
  SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
  for (const ValueRow& row : rows) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = RowCount();
    item.pszText = const_cast<char*>(row.caption.c_str());
    item.iImage = row.image;
    item.lParam = row.type_code;
    const int index = static_cast<int>(SendMessageA(window_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (!row.data) continue;
    LVITEMA data{};
    data.iSubItem = kDataColumn;
    data.pszText = const_cast<char*>(row.data->c_str());
    SendMessageA(window_, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&data));
  }
  SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(window_, nullptr, TRUE);
}
