#pragma once
// StatusBar1 with its three panels: the first shows a text in bold, red
// outside a scan; the second holds ProgressBar1; the third stays empty.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/win32/gdi.h"

class StatusBar {
 public:
  void Create(HWND parent, int control_id, HINSTANCE instance, int dpi_scaled_font_height,
              const int (&panel_widths)[3]);
  // The font and the panels at another resolution.
  void SetSizes(int dpi_scaled_font_height, const int (&panel_widths)[3]);
  // The window's width: the text panel widens with it.
  void SetWidth(int width);
  HWND Handle() const { return window_; }
  HWND ProgressBar() const { return progress_; }

  // Text in the program's code page, drawn through the W functions: the
  // A ones draw it in another code page on some systems.
  void SetText(const std::string& text);
  const std::string& Text() const { return text_; }
  // The tooltip over the first panel, with its whole text.
  HWND Tip() const { return tip_; }
  // The scanning mark: only the drawing of the first panel reads it.
  void SetScanning(bool scanning);
  bool Scanning() const { return scanning_; }
  // WM_DRAWITEM of an owner-drawn panel (StatusBar1DrawPanel).
  void DrawPanel(const DRAWITEMSTRUCT& item);
  int Height() const;

 private:
  // The tooltip's tool over the text panel.
  TTTOOLINFOW TextPanelTool() const;

  HWND window_ = nullptr;
  HWND progress_ = nullptr;
  HWND tip_ = nullptr;
  int widths_[3] = {};
  int width_ = 0;
  std::string text_;
  std::u16string wide_text_;
  bool scanning_ = false;
  UniqueFont font_;
  UniqueFont bold_font_;
};
