// Delete All in the window against the headless scanner's --delete, on the
// same planted problems in a sandboxed registry: N application paths whose
// file is gone (N from the command line, 20,000 by default). Not a test: it
// prints the times, their ratio and how long the window's thread took at
// worst to answer while the window deleted.
//
//   wine DeleteAllTiming.exe [problems]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <sstream>
#include <thread>

#include "app/win32/command_ids.h"
#include "app/win32/main.h"
#include "app/win32/message_loop.h"
#include "app/win32/version_record_win32.h"
#include "cli/headless_scan.h"
#include "cli/problem_list.h"
#include "platform/registry_accessor.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/clock_win32.h"
#include "platform/root_keys.h"
#include "support/no_mail.h"
#include "support/registry_sandbox_win32.h"
#include "support/temp_folder_win32.h"

namespace {

using Steady = std::chrono::steady_clock;
constexpr char kAppPaths[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
constexpr char kRules[] =
    "[PATHS1]\r\n"
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\*=Application paths,1,FILEDEF_\r\n";

double Seconds(Steady::duration duration) { return std::chrono::duration<double>(duration).count(); }

void Plant(Registry& registry, int problems) {
  for (int i = 0; i < problems; ++i) {
    RegistryAccessor key(registry, kHkeyCurrentUser);
    key.OpenKeyWrite(std::string(kAppPaths) + "\\Gone" + std::to_string(i) + ".exe");
    key.WriteString("", "C:\\TarnelNowhere\\Gone" + std::to_string(i) + ".exe");
  }
}

class ProgramFolder : public Win32FileSystem {
 public:
  explicit ProgramFolder(std::string folder) : folder_(std::move(folder)) {}
  std::string ExeFolder() override { return folder_; }

 private:
  std::string folder_;
};

class Agreeing : public UserMessages {
 public:
  void Error(const std::string& text) override { std::printf("error: %s\n", text.c_str()); }
  void Inform(const std::string&) override {}
  bool Confirm(const std::string&, const std::string&) override { return true; }
  std::optional<std::string> AskSaveFile(const std::string&) override { return std::nullopt; }
  std::optional<std::string> AskOpenFile(const std::string&, const std::string&) override { return std::nullopt; }
};

class NoClipboard : public Clipboard {
 public:
  bool SetText(const std::string&) override { return true; }
};

class NoNavigator : public RegistryNavigator {
 public:
  void GotoKey(const std::string&, const std::string&) override {}
};

class NoShell : public Shell {
 public:
  void Open(std::uintptr_t, const std::string&) override {}
};

double HeadlessSeconds(Registry& registry, FileSystem& files, bool remove, const std::string& rules) {
  Win32Clock clock;
  NoMail mail;
  std::ostringstream out, err;
  HeadlessScan scan(HeadlessSystem{registry, files, clock, mail}, out, err, nullptr);
  ScanOptions options;
  options.knowledge_base = rules;
  options.remove = remove;
  const auto start = Steady::now();
  scan.Run(options);
  return Seconds(Steady::now() - start);
}

// The longest wait for the window's thread to answer while it runs.
class AnswerProbe {
 public:
  explicit AnswerProbe(HWND window)
      : thread_([this, window] {
          while (!stop_) {
            const auto sent = Steady::now();
            DWORD_PTR result = 0;
            SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 600000, &result);
            worst_ = std::max(worst_.load(), Seconds(Steady::now() - sent));
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
          }
          ended_ = true;
        }) {}
  double Stop(TMainForm& form) {
    stop_ = true;
    while (!ended_) {
      PumpMessages(form);
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    thread_.join();
    return worst_;
  }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<bool> ended_{false};
  std::atomic<double> worst_{0};
  std::thread thread_;
};

}  // namespace

int main(int argc, char** argv) {
  const int problems = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20000;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  ScopedTempFolder folder("delete-all-timing");
  SetCurrentDirectoryA(folder.Path().c_str());  // the backups go there
  ProgramFolder files(folder.Path());
  const std::string rules = folder.Path() + "Knowbase.ini";
  files.WriteFileAtomic(rules, kRules);
  std::unique_ptr<SandboxedSystemRegistry> registry = MakeSandboxedSystemRegistry();

  Plant(*registry, problems);
  // The first scan warms the registry's caches: the better of two.
  const double scan_only =
      std::min(HeadlessSeconds(*registry, files, false, rules), HeadlessSeconds(*registry, files, false, rules));
  const double headless = HeadlessSeconds(*registry, files, true, rules);

  Plant(*registry, problems);
  Win32VersionRecordReader versions;
  NoShell shell;
  Agreeing messages;
  Win32Clock clock;
  class NoMapi : public MapiLibrary {
   public:
    std::uint32_t SendDocuments(std::uintptr_t, const std::string&, const std::string&, const std::string&) override {
      return 0;
    }
  } mapi;
  NoClipboard clipboard;
  NoNavigator navigator;
  TMainForm form({*registry, files, versions, shell, messages, clock, mapi, clipboard, navigator});
  if (!form.Create()) return 1;
  ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
  bool finished = false;
  form.OnScanFinished = [&] { finished = true; };
  const auto scan_start = Steady::now();
  form.Dispatcher().Execute(CommandId::kStart);
  while (!finished) {
    PumpMessages(form);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  const double window_scan = Seconds(Steady::now() - scan_start);
  const int found = CountProblems(form.Results());
  PumpMessages(form);

  AnswerProbe probe(form.Handle());
  const auto start = Steady::now();
  SendMessageA(form.Handle(), WM_COMMAND, WmIdOf(CommandId::kDeleteAll), 0);
  const double window = Seconds(Steady::now() - start);
  // What the window still had to do before it showed the result.
  const auto settle_start = Steady::now();
  PumpMessages(form);
  RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  const double settle = Seconds(Steady::now() - settle_start);
  const double worst_answer = probe.Stop(form);
  const double headless_delete = headless - scan_only;
  std::printf(
      "problems %d (window found %d, %zu nodes left after Delete All)\n"
      "headless: scan %.2f s, scan + --delete %.2f s (delete part %.2f s)\n"
      "window: scan %.2f s, Delete All %.2f s; ratio to scan + --delete %.2f, to the delete part %.2f; "
      "slowest answer of the window while deleting %.3f s; then %.2f s to show the result\n",
      problems, found, static_cast<std::size_t>(form.Results().NodeCount()), scan_only, headless, headless_delete,
      window_scan, window, window / headless, window / headless_delete, worst_answer, settle);
  return 0;
}
