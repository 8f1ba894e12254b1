#pragma once
// TreeView: the result tree, with "My Computer" on top.
#include <windows.h>
#include <commctrl.h>

#include <string>

class TreeView {
 public:
  static constexpr int kComputerPicture = 4;

  void Create(HWND parent, int control_id, HINSTANCE instance, HIMAGELIST images, int indent);
  HWND Handle() const { return window_; }
  HTREEITEM TopNode() const { return top_; }
  std::string Text(HTREEITEM item) const;
  int Count() const { return static_cast<int>(TreeView_GetCount(window_)); }
  HTREEITEM Selected() const { return TreeView_GetSelection(window_); }
  bool Expanded(HTREEITEM item) const { return (TreeView_GetItemState(window_, item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0; }
  // Suspends or resumes repainting, for bursts of changes.
  void SetRedraw(bool redraw);

 private:
  HWND window_ = nullptr;
  HTREEITEM top_ = nullptr;
};
