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
