#include "app/win32/message_loop.h"

namespace {

void Dispatch(TMainForm& form, MSG& message) {
  if (form.TranslateShortcut(message)) return;
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

}  // namespace

int RunMessageLoop(TMainForm& form) {
  MSG message;
  while (form.Handle()) {
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      form.OnIdle();
      WaitMessage();
    } else if (message.message == WM_QUIT) {
      return static_cast<int>(message.wParam);
    } else {
      Dispatch(form, message);
    }
  }
  return 0;
}

void PumpMessages(TMainForm& form) {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) Dispatch(form, message);
  if (form.Handle()) form.OnIdle();
}
