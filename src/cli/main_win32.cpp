// The headless scanner: the scan of the window program on this machine's
// registry, with its findings on standard output.
#include <windows.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/headless_scan.h"
#include "mail/mymapi_win32.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/system_library_win32.h"

namespace {

HeadlessScan* g_running_scan = nullptr;

BOOL WINAPI OnConsoleControl(DWORD event) {
  if ((event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) && g_running_scan) {
    g_running_scan->RequestStop();
    return TRUE;
  }
  return FALSE;
}

bool IsConsole(DWORD std_handle) {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(std_handle), &mode) != 0;
}

}  // namespace

int main(int argc, char** argv) {
  LoadDllsFromSystemFolderOnly();
  const ParsedScanOptions parsed = ParseScanOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.error.empty()) {
    std::cerr << "TarnelScan: " << parsed.error << " (see --help)\n";
    return kExitUsage;
  }
  if (parsed.options.help) {
    std::cout << kScanUsage;
    return kExitClean;
  }

  Win32Registry registry;
  Win32FileSystem files;
  Win32Clock clock;
  Win32MailSystem mail_system;
  Win32MapiLibrary mapi(registry, mail_system);
  TMyMapi mail(0, mapi);
  HeadlessScan scan(HeadlessSystem{registry, files, clock, mail, GetACP()}, std::cout, std::cerr,
                    IsConsole(STD_ERROR_HANDLE) ? &std::cerr : nullptr);

  g_running_scan = &scan;
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
  const int code = scan.Run(parsed.options);
  SetConsoleCtrlHandler(OnConsoleControl, FALSE);
  g_running_scan = nullptr;
  return code;
}
