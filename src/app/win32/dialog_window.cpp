#include "app/win32/dialog_window.h"

namespace {

// Runs a modeless dialog as a modal one: the owner disabled until the
// dialog is gone. A quit request met on the way is passed on.
void RunModal(HWND dialog, HWND owner) {
  EnableWindow(owner, FALSE);
  ShowWindow(dialog, SW_SHOW);
  MSG message;
  bool quit = false;
  while (IsWindow(dialog) && !quit) {
    if (GetMessageA(&message, nullptr, 0, 0) <= 0) {
      quit = true;
    } else if (!IsDialogMessageA(dialog, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  EnableWindow(owner, TRUE);
  SetActiveWindow(owner);
  if (quit) PostQuitMessage(static_cast<int>(message.wParam));  // the program's loop must end too
}

}  // namespace

DialogWindow::~DialogWindow() {
  if (!window_) return;
  // The derived part is gone already: no message may reach it now.
  SetWindowLongPtrA(window_, DWLP_USER, 0);
  DestroyWindow(window_);
}

HWND DialogWindow::Create(HWND owner) {
  CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(template_id_), owner, DialogProc,
                     reinterpret_cast<LPARAM>(this));
  return window_;
}

void DialogWindow::ShowModal(HWND owner) {
  if (Create(owner)) RunModal(window_, owner);
}

INT_PTR CALLBACK DialogWindow::DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrA(window, DWLP_USER, lparam);
  auto* self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrA(window, DWLP_USER));
  if (!self) return FALSE;
  if (message == WM_INITDIALOG) self->window_ = window;
  const INT_PTR result = self->OnMessage(message, wparam, lparam);
  if (message == WM_DESTROY) self->window_ = nullptr;
  return result;
}
