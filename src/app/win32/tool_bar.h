#pragma once
// ToolBar1: flat, with tooltips; its buttons follow their commands.
#include <windows.h>

#include "app/command_states.h"
#include "app/command_texts.h"
#include "app/win32/gdi.h"

class ToolBar {
 public:
  void Create(HWND parent, int control_id, HINSTANCE instance, int icon_size);
  HWND Handle() const { return window_; }
  void ShowCommandStates(const CommandStates& states);
  // Answers the tooltip's request for a button's text; false for other
  // notifications.
  bool OnNotify(NMHDR* header, const CommandTexts& texts);
  int Height() const;

 private:
  HWND window_ = nullptr;
  UniqueImageList images_;
  std::string tooltip_;  // the text handed to the tooltip last
};
