#pragma once
// What the window timing programs share: the window on a sandboxed
// registry with every question answered yes and no outside program
// reached, N planted application paths whose file is gone, and a probe of
// how long the window's thread takes to answer. Not tests: they print.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "app/win32/main.h"
#include "app/win32/message_loop.h"
#include "app/win32/version_record_win32.h"
#include "platform/registry_accessor.h"
#include "platform/root_keys.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/files_win32.h"
#include "support/registry_sandbox_win32.h"
#include "support/temp_folder_win32.h"

namespace window_timing {

using Steady = std::chrono::steady_clock;
inline constexpr char kAppPaths[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
inline constexpr char kRules[] =
    "[PATHS1]\r\n"
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\*=Application paths,1,FILEDEF_\r\n";

inline double Seconds(Steady::duration duration) { return std::chrono::duration<double>(duration).count(); }

inline void Plant(Registry& registry, int problems) {
  for (int i = 0; i < problems; ++i) {
    RegistryAccessor key(registry, kHkeyCurrentUser);
    key.OpenKeyWrite(std::string(kAppPaths) + "\\Gone" + std::to_string(i) + ".exe");
    key.WriteString("", "C:\\TarnelNowhere\\Gone" + std::to_string(i) + ".exe");
  }
}

// The window's messages handled until done says so.
inline void PumpUntil(TMainForm& form, const std::function<bool()>& done) {
  while (!done()) {
    PumpMessages(form);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
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

class NoMapi : public MapiLibrary {
 public:
  std::uint32_t SendDocuments(std::uintptr_t, const std::string&, const std::string&, const std::string&) override {
    return 0;
  }
};

// What each program starts from: the common controls, a temporary folder,
// current (the backups go there) and the program's own with the rules, and
// a sandboxed registry with N planted problems.
struct TimingSetup {
  TimingSetup(const std::string& name, int problems) : folder(name), files(folder.Path()) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    SetCurrentDirectoryA(folder.Path().c_str());
    files.WriteFileAtomic(rules, kRules);
    Plant(*registry, problems);
  }
  ScopedTempFolder folder;
  ProgramFolder files;
  const std::string rules = folder.Path() + "Knowbase.ini";
  std::unique_ptr<SandboxedSystemRegistry> registry = MakeSandboxedSystemRegistry();
};

// The main window over the given registry and files, created and shown.
class TimedWindow {
 public:
  TimedWindow(Registry& registry, FileSystem& files)
      : form_({registry, files, versions_, shell_, messages_, clock_, mapi_, clipboard_, navigator_}) {}
  bool Open() {
    if (!form_.Create()) return false;
    ShowWindow(form_.Handle(), SW_SHOWNOACTIVATE);
    return true;
  }
  TMainForm& Form() { return form_; }
  // Start, and messages handled until the scan's end; its seconds.
  double ScanToTheEnd() {
    bool finished = false;
    form_.OnScanFinished = [&] { finished = true; };
    const auto start = Steady::now();
    form_.Dispatcher().Execute(CommandId::kStart);
    PumpUntil(form_, [&] { return finished; });
    form_.OnScanFinished = nullptr;
    return Seconds(Steady::now() - start);
  }

 private:
  Win32VersionRecordReader versions_;
  NoShell shell_;
  Agreeing messages_;
  Win32Clock clock_;
  NoMapi mapi_;
  NoClipboard clipboard_;
  NoNavigator navigator_;
  TMainForm form_;
};

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
    PumpUntil(form, [this] { return ended_.load(); });
    thread_.join();
    return worst_;
  }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<bool> ended_{false};
  std::atomic<double> worst_{0};
  std::thread thread_;
};

}  // namespace window_timing
