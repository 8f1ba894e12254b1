#pragma once
// The object behind a window of ours: created with the object as its
// creation parameter, found again from the window handle.
#include <windows.h>

template <class T>
T* AttachedObject(HWND window, UINT message, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* object = static_cast<T*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
  }
  return reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

