#pragma once
// AboutBox: the version record's product name and versions, the notice,
// and two links (mail and web) underlined while the mouse is on them.
#include <windows.h>

#include "app/link_hover.h"
#include "app/version_info.h"
#include "app/win32/gdi.h"
#include "platform/shell.h"

class TAboutBox {
 public:
  TAboutBox(VersionRecordReader& versions, Shell& shell) : versions_(versions), shell_(shell) {}
  TAboutBox(const TAboutBox&) = delete;
  TAboutBox& operator=(const TAboutBox&) = delete;
  ~TAboutBox();

  // Opens the box without waiting; it closes itself on OK, Enter or Esc.
  HWND Create(HWND owner);
  // Opens the box over a disabled owner and returns once it is closed.
  void ShowModal(HWND owner);
  HWND Handle() const { return window_; }

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  INT_PTR Handle(UINT message, WPARAM wparam, LPARAM lparam);
  void FormCreate();
  void OpenLink(int control_id);
  bool OnSetCursor(HWND under_mouse);
  void ShowUnderlines();

  VersionRecordReader& versions_;
  Shell& shell_;
  HWND window_ = nullptr;
  LinkHover hover_;
  UniqueFont underlined_font_;
  UniqueBitmap picture_;
};
