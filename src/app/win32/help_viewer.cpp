#include "app/win32/help_viewer.h"

#include <htmlhelp.h>

HelpViewer::~HelpViewer() {
  if (!library_) return;
  // The viewer's windows run in our process: close them before the code
  // behind them is unloaded.
  if (function_) function_(nullptr, nullptr, HH_CLOSE_ALL, 0);
  FreeLibrary(library_);
}

HWND HelpViewer::ShowContents(HWND owner) { return Call(owner, HH_DISPLAY_TOC, 0); }

HWND HelpViewer::ShowContext(HWND owner, DWORD context) { return Call(owner, HH_HELP_CONTEXT, context); }

HWND HelpViewer::Call(HWND owner, UINT command, DWORD_PTR data) {
  if (!library_) {
    library_ = LoadLibraryA("hhctrl.ocx");
    if (!library_) return nullptr;
    function_ = reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(GetProcAddress(library_, "HtmlHelpA")));
  }
  if (!function_ || GetFileAttributesA(file_.c_str()) == INVALID_FILE_ATTRIBUTES) return nullptr;
  return function_(owner, file_.c_str(), command, data);
}
