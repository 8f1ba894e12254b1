// The headless scanner: the scan of the window program on this machine's
// registry, with its findings on standard output.
#include <windows.h>
#include <io.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cli/buffered_output.h"
#include "cli/headless_scan.h"
#include "mail/mymapi_win32.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/code_page_win32.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/system_library_win32.h"

namespace {

HeadlessScan* g_running_scan = nullptr;

// The C runtime's descriptor keeps its text mode: line ends are written as
// CR LF, as they always were.
class DescriptorSink : public OutputSink {
 public:
  explicit DescriptorSink(int descriptor) : descriptor_(descriptor) {}
  bool Write(const char* data, std::size_t size) override {
    while (size > 0) {
      const int written = _write(descriptor_, data, static_cast<unsigned>(std::min<std::size_t>(size, 1 << 20)));
      if (written <= 0) return false;
      data += written;
      size -= static_cast<std::size_t>(written);
    }
    return true;
  }

 private:
  int descriptor_;
};

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

// A console shows the bytes it is given in its own output code page; the
// program's names are in UTF-8 where the manifest took effect. The
// console's code page is put back at the end: it belongs to the console.
class ConsoleInProgramCodePage {
 public:
  ConsoleInProgramCodePage() {
    if (GetACP() != CP_UTF8 || !(IsConsole(STD_OUTPUT_HANDLE) || IsConsole(STD_ERROR_HANDLE))) return;
    previous_ = GetConsoleOutputCP();
    if (previous_ == CP_UTF8 || !SetConsoleOutputCP(CP_UTF8)) previous_ = 0;
  }
  ~ConsoleInProgramCodePage() {
    if (previous_) SetConsoleOutputCP(previous_);
  }
  ConsoleInProgramCodePage(const ConsoleInProgramCodePage&) = delete;
  ConsoleInProgramCodePage& operator=(const ConsoleInProgramCodePage&) = delete;

 private:
  UINT previous_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  LoadDllsFromSystemFolderOnly();
  DescriptorSink out_sink(_fileno(stdout));
  DescriptorSink err_sink(_fileno(stderr));
  ConsoleStreams console(out_sink, err_sink);
  const ParsedScanOptions parsed = ParseScanOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.error.empty()) {
    console.Err() << "TarnelScan: " << parsed.error << " (see --help)\n";
    return kExitUsage;
  }
  if (parsed.options.offline_root) {
    console.Err() << "TarnelScan: --offline is for the Linux program; here the registry is this machine's\n";
    return kExitUsage;
  }
  if (parsed.options.help) {
    console.Out() << kScanUsage;
    return kExitClean;
  }

  const ConsoleInProgramCodePage console_code_page;
  Win32Registry registry;
  Win32FileSystem files;
  Win32Clock clock;
  Win32MailSystem mail_system;
  Win32MapiLibrary mapi(registry, mail_system);
  TMyMapi mail(0, mapi);
  HeadlessScan scan(HeadlessSystem{registry, files, clock, mail, GetACP(), Win32CodePages()}, console.Out(),
                    console.Err(), IsConsole(STD_ERROR_HANDLE) ? &console.Err() : nullptr);

  g_running_scan = &scan;
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
  // Ctrl+C only stops the scan: the program still lists what it found and
  // writes out all it holds here, before a Ctrl+C can end it again.
  const int code = scan.Run(parsed.options);
  console.Out().flush();
  SetConsoleCtrlHandler(OnConsoleControl, FALSE);
  g_running_scan = nullptr;
  return code;
}
