#include "app/win32/user_messages_win32.h"

#include <commdlg.h>

namespace {

// "REGEDIT4  files(*.reg)|*.reg" in the dialog's own form.
constexpr char kFilter[] = "REGEDIT4  files(*.reg)\0*.reg\0";

std::optional<std::string> AskFile(HWND owner, const std::string& title, DWORD flags, bool save,
                                   const std::string& folder = "") {
  char file[MAX_PATH * 4] = "";
  // A path in the file name field wins over the folder the dialog
  // remembers from its last use; the initial folder alone does not.
  lstrcpynA(file, folder.c_str(), sizeof file);
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = kFilter;
  dialog.lpstrFile = file;
  dialog.nMaxFile = sizeof file;
  dialog.lpstrTitle = title.c_str();
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrDefExt = "reg";
  // The dialog leaves the current folder alone: it is where backups go.
  dialog.Flags = flags | OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  const BOOL chosen = save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
  if (!chosen) return std::nullopt;
  return std::string(file);
}

}  // namespace

void Win32UserMessages::Error(const std::string& text) {
  MessageBoxA(owner_, text.c_str(), "Tarnel", MB_OK | MB_ICONERROR);
}

void Win32UserMessages::Inform(const std::string& text) {
  MessageBoxA(owner_, text.c_str(), "Tarnel", MB_OK | MB_ICONINFORMATION);
}

bool Win32UserMessages::Confirm(const std::string& title, const std::string& text) {
  return MessageBoxA(owner_, text.c_str(), title.c_str(), MB_OKCANCEL | MB_ICONWARNING) == IDOK;
}

std::optional<std::string> Win32UserMessages::AskSaveFile(const std::string& title) {
  return AskFile(owner_, title, OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST, true);
}

std::optional<std::string> Win32UserMessages::AskOpenFile(const std::string& title, const std::string& folder) {
  return AskFile(owner_, title, OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST, false, folder);
}
