#include "app/win32/tree_view.h"

void TreeView::Create(HWND parent, int control_id, HINSTANCE instance, HIMAGELIST images, int indent) {
  // Selection stays visible when unfocused; labels read-only (no TVS_EDITLABELS).
  window_ = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                TVS_SHOWSELALWAYS,
                            0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id)), instance,
                            nullptr);
  TreeView_SetImageList(window_, images, TVSIL_NORMAL);
  TreeView_SetIndent(window_, indent);
  TVINSERTSTRUCTA insert{};
  insert.hParent = TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  insert.item.pszText = const_cast<char*>("My Computer");
  insert.item.iImage = kComputerPicture;
  insert.item.iSelectedImage = kComputerPicture;
  top_ = reinterpret_cast<HTREEITEM>(SendMessageA(window_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

std::string TreeView::Text(HTREEITEM item) const {
  char text[512] = "";
  TVITEMA query{};
  query.mask = TVIF_TEXT;
  query.hItem = item;
  query.pszText = text;
  query.cchTextMax = sizeof text;
  SendMessageA(window_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
  return text;
}

void TreeView::SetRedraw(bool redraw) {
  SendMessageA(window_, WM_SETREDRAW, redraw, 0);
  if (redraw) InvalidateRect(window_, nullptr, TRUE);
}
