// Tarnel.exe: the window program. It reads no command line.
#include <windows.h>
#include <commctrl.h>

#include "app/win32/main.h"
#include "app/win32/message_loop.h"
#include "app/win32/user_messages_win32.h"
#include "app/win32/version_record_win32.h"
#include "mail/mymapi_win32.h"
#include "regedit/win32/RegEditAccess_win32.h"
#include "platform/win32/clipboard_win32.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/system_library_win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show_command) {
  LoadDllsFromSystemFolderOnly();
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  Win32Registry registry;
  Win32FileSystem files;
  Win32VersionRecordReader versions;
  Win32Shell shell;
  Win32UserMessages messages;
  Win32Clock clock;
  Win32MailSystem mail_system;
  Win32MapiLibrary mapi(registry, mail_system);
  Win32Clipboard clipboard;
  TRegEditAccess navigator([&](const std::string& text, const std::string& caption) {
    MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
  });
  TMainForm form({registry, files, versions, shell, messages, clock, mapi, clipboard, navigator});
  if (!form.Create()) return 1;
  messages.SetOwner(form.Handle());
  clipboard.SetOwner(reinterpret_cast<std::uintptr_t>(form.Handle()));
  ShowWindow(form.Handle(), show_command);
  return RunMessageLoop(form);
}
