#include "app/win32/splitter.h"

#include <windowsx.h>

#include "app/win32/window_object.h"

namespace {
constexpr const char* kClassName = "TarnelSplitter";
}

void Splitter::Create(HWND parent, HINSTANCE instance, OnDrag on_drag) {
  on_drag_ = std::move(on_drag);
  WNDCLASSA window_class{};
  if (!GetClassInfoA(instance, kClassName, &window_class)) {
    window_class.lpfnWndProc = WindowProc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursor(nullptr, IDC_SIZEWE);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = kClassName;
    RegisterClassA(&window_class);
  }
  window_ = CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent, nullptr, instance, this);
}

LRESULT CALLBACK Splitter::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = AttachedObject<Splitter>(window, message, lparam);
  if (self && message == WM_NCCREATE) self->window_ = window;
  return self ? self->Handle(message, wparam, lparam) : DefWindowProcA(window, message, wparam, lparam);
}

LRESULT Splitter::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      grip_offset_ = GET_X_LPARAM(lparam);
      SetCapture(window_);
      return 0;
    case WM_MOUSEMOVE:
      if (GetCapture() == window_) {
        POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
        MapWindowPoints(window_, GetParent(window_), &point, 1);
        on_drag_(point.x - grip_offset_);
      }
      return 0;
    case WM_LBUTTONUP:
      ReleaseCapture();
      return 0;
    default:
      return DefWindowProcA(window_, message, wparam, lparam);
  }
}
