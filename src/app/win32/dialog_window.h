#pragma once
// A dialog of the program's resources, shown modeless (Create) or modal
// (ShowModal); a derived class handles its messages.
#include <windows.h>

class DialogWindow {
 public:
  explicit DialogWindow(int template_id) : template_id_(template_id) {}
  virtual ~DialogWindow();
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;

  // Opens the dialog without waiting; null when it could not be created.
  HWND Create(HWND owner);
  // Opens it over a disabled owner and returns once it is closed.
  void ShowModal(HWND owner);
  HWND Handle() const { return window_; }

 protected:
  // A dialog procedure's answer: TRUE when the message was handled.
  virtual INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) = 0;
  void Close() { DestroyWindow(window_); }

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  int template_id_;
  HWND window_ = nullptr;
};
