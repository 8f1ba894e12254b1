#pragma once
// ListView1: the value list, in report style with the columns "Name" and
// "Data".
#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "app/value_list.h"

class ListView {
 public:
  enum Column { kNameColumn = 0, kDataColumn = 1 };

  void Create(HWND parent, int control_id, HINSTANCE instance, HIMAGELIST images, int name_width, int data_width);
  HWND Handle() const { return window_; }
  int ColumnWidth(Column column) const { return ListView_GetColumnWidth(window_, column); }
  void SetColumnWidth(Column column, int width) { ListView_SetColumnWidth(window_, column, width); }
  std::string ColumnHeading(Column column) const;
  void SetColumnHeading(Column column, const std::string& heading);
  int RowCount() const { return ListView_GetItemCount(window_); }
  std::string Caption(int row) const;
  // The first selected row's caption; none when no row is selected.
  std::optional<std::string> SelectedCaption() const;
  void SelectAll();
  std::vector<int> SelectedRows() const;
  void Deselect(int row) { ListView_SetItemState(window_, row, 0, LVIS_SELECTED); }
  // The Data cell; none for a row whose value shows no data.
  std::optional<std::string> Data(int row) const;
  void Clear() { ListView_DeleteAllItems(window_); }
  // Appends the rows at the end, without repainting for each one.
  void AddRows(const std::vector<ValueRow>& rows);

 private:
  std::string CellText(int row, Column column) const;

  HWND window_ = nullptr;
};
