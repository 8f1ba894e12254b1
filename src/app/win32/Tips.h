#pragma once
// frTips: the tip of the day, with a next-tip button and the check box
// "Show tips at startup".
#include <windows.h>

#include "app/tips.h"
#include "app/win32/dialog_window.h"
#include "app/win32/gdi.h"

class TLangv;

// Close, Esc and the title-bar button close it.
class TfrTips : public DialogWindow {
 public:
  explicit TfrTips(const TLangv& langv);

  // Whether tips are still to be shown at start-up: the check box as it
  // was when the dialog closed.
  bool ShowAtStartup() const { return show_at_startup_; }

 private:
  INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void FormCreate();
  void Button1Click();
  void PaintPanel();
  INT_PTR PanelColours(HDC dc, HWND control);

  TipCycle tips_;
  bool show_at_startup_ = true;
  UniqueFont bold_font_;
};
