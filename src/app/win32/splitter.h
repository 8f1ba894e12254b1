#pragma once
// Splitter1: a thin bar between the tree and the list; dragging it sets the
// tree's width.
#include <windows.h>

#include <functional>

class Splitter {
 public:
  // Called while dragging with the new left edge of the bar, in the
  // parent's client coordinates.
  using OnDrag = std::function<void(int left)>;

  void Create(HWND parent, HINSTANCE instance, OnDrag on_drag);
  HWND Handle() const { return window_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);

  HWND window_ = nullptr;
  OnDrag on_drag_;
  int grip_offset_ = 0;  // where in the bar the drag began
};
