#include "app/win32/help_viewer.h"

#include <htmlhelp.h>

HelpViewer::~HelpViewer() {
  // The viewer's windows run in our process: close them before the code
  // behind them is unloaded.
  if (function_) function_(nullptr, nullptr, HH_CLOSE_ALL, 0);
}

HWND HelpViewer::ShowContents(HWND owner) { return Call(owner, HH_DISPLAY_TOC, 0); }

HWND HelpViewer::ShowContext(HWND owner, DWORD context) { return Call(owner, HH_HELP_CONTEXT, context); }

HWND HelpViewer::Call(HWND owner, UINT command, DWORD_PTR data) {
  if (!library_) {
    library_.emplace("hhctrl.ocx");
    function_ = library_->Function<HtmlHelpFunction>("HtmlHelpA");
  }
  if (!function_ || GetFileAttributesA(file_.c_str()) == INVALID_FILE_ATTRIBUTES) return nullptr;
  return function_(owner, file_.c_str(), command, data);
}
