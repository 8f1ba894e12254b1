#pragma once
// AboutBox: the version record's product name and versions, the notice,
// and two links (mail and web) underlined while the mouse is on them.
#include <windows.h>

#include "app/link_hover.h"
#include "app/version_info.h"
#include "app/win32/dialog_window.h"
#include "app/win32/gdi.h"
#include "platform/shell.h"

// It closes on OK, Enter and Esc.
class TAboutBox : public DialogWindow {
 public:
  TAboutBox(VersionRecordReader& versions, Shell& shell);

 private:
  INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void FormCreate();
  void OpenLink(int control_id);
  bool OnSetCursor(HWND under_mouse);
  void ShowUnderlines();

  VersionRecordReader& versions_;
  Shell& shell_;
  LinkHover hover_;
  UniqueFont underlined_font_;
  UniqueBitmap picture_;
};
