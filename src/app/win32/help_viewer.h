#pragma once
// The manual, an HTML Help file, shown by the system's HTML Help viewer.
// hhctrl.ocx is loaded on first use, so the program starts without it and
// a system without it only loses the help.
#include <windows.h>

#include <optional>
#include <string>

#include "platform/win32/system_library_win32.h"

class HelpViewer {
 public:
  explicit HelpViewer(std::string file) : file_(std::move(file)) {}
  ~HelpViewer();
  HelpViewer(const HelpViewer&) = delete;
  HelpViewer& operator=(const HelpViewer&) = delete;

  const std::string& File() const { return file_; }
  // Each returns the help window, or null when the manual cannot be shown.
  HWND ShowContents(HWND owner);
  HWND ShowContext(HWND owner, DWORD context);

 private:
  using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
  HWND Call(HWND owner, UINT command, DWORD_PTR data);

  std::string file_;
  std::optional<SystemLibrary> library_;
  HtmlHelpFunction function_ = nullptr;
};
