// The window program's scan against the headless scanner's, on the system
// registry of a Wine prefix that TarnelBench --generate has filled: the
// time from Start to the scan's end in each (the window's first scan, which
// fills an empty tree, on its own), how fast the window's thread answers
// while the scan runs, and, with 5,000 problem nodes, the tree's first full
// expansion and a selection that fills the value list.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <thread>
#include <vector>

#include "app/win32/main.h"
#include "app/win32/message_loop.h"
#include "app/win32/user_messages_win32.h"
#include "app/win32/version_record_win32.h"
#include "cli/headless_scan.h"
#include "cli/problem_list.h"
#include "mail/mymapi_win32.h"
#include "regedit/win32/RegEditAccess_win32.h"
#include "platform/registry_accessor.h"
#include "platform/win32/clipboard_win32.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/root_keys.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kProblemNodes = 5000;
constexpr char kNodeKeys[] = "Software\\TarnelWindowBench";

double Ms(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

class NoMail : public MailSender {
 public:
  MailResult SendFile(const std::string&) override { return MailResult::kHandedOver; }
};

struct HeadlessRun {
  double ms = 0;
  long problems = -1;  // as its closing line counts them; -1 when it has none
};

HeadlessRun HeadlessScanRun(Registry& registry, FileSystem& files, Win32Clock& clock) {
  NoMail mail;
  std::ostringstream out, err;
  HeadlessScan scan(HeadlessSystem{registry, files, clock, mail}, out, err, nullptr);
  const auto start = Clock::now();
  scan.Run(ScanOptions{});
  HeadlessRun run{Ms(Clock::now() - start)};
  const std::string text = out.str();
  const std::size_t last_line = text.rfind('\n', text.size() >= 2 ? text.size() - 2 : 0);
  const std::string closing = text.substr(last_line == std::string::npos ? 0 : last_line + 1);
  if (closing.find(" found.") != std::string::npos) run.problems = std::atol(closing.c_str());
  return run;
}

// Asks the window's thread for an answer every 20 ms while it runs.
class Probe {
 public:
  explicit Probe(HWND window)
      : thread_([this, window] {
          while (!stop_) {
            const auto sent = Clock::now();
            DWORD_PTR result = 0;
            SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
            latencies_.push_back(Ms(Clock::now() - sent));
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
          }
          ended_ = true;
        }) {}
  // Keeps answering until the probe has ended: it may be waiting for an answer.
  std::vector<double> Stop(TMainForm& form) {
    stop_ = true;
    while (!ended_) {
      PumpMessages(form);
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    thread_.join();
    return latencies_;
  }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<bool> ended_{false};
  std::vector<double> latencies_;
  std::thread thread_;  // last: starts once the members above exist
};

double WindowScanMs(TMainForm& form, std::vector<double>& latencies) {
  bool finished = false;
  form.OnScanFinished = [&] { finished = true; };
  Probe probe(form.Handle());
  const auto start = Clock::now();
  form.Dispatcher().Execute(CommandId::kStart);
  while (!finished) {
    PumpMessages(form);
    if (!finished) MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
  const double ms = Ms(Clock::now() - start);
  const std::vector<double> probed = probe.Stop(form);
  latencies.insert(latencies.end(), probed.begin(), probed.end());
  form.OnScanFinished = nullptr;
  return ms;
}

// 5,000 keys with two values each, and a problem node for each, inserted
// as a scan inserts them; then the first expansion and selections.
void MeasureProblemNodes(TMainForm& form, Registry& registry) {
  for (int i = 0; i < kProblemNodes; ++i) {
    RegistryAccessor key(registry, kHkeyCurrentUser);
    key.OpenKeyWrite(std::string(kNodeKeys) + "\\Vendor" + std::to_string(i / 100) + "\\App" + std::to_string(i));
    key.WriteString("Path", "C:\\Nowhere\\app" + std::to_string(i) + ".exe");
    key.WriteInteger("Count", i);
  }
  while (!form.ClearResults()) {
  }
  for (int i = 0; i < kProblemNodes; ++i) {
    auto record = std::make_unique<TErrorClass>("File not found", "Path", i % 2);
    form.InsertProblem("HKEY_CURRENT_USER\\" + std::string(kNodeKeys) + "\\Vendor" + std::to_string(i / 100) + "\\App" +
                           std::to_string(i),
                       std::move(record));
  }
  PumpMessages(form);
  const auto expand_start = Clock::now();
  form.ExpandResults();
  UpdateWindow(form.Tree().Handle());
  const double expand_ms = Ms(Clock::now() - expand_start);

  std::vector<const ResultNode*> leaves;
  const ResultNode* hive = form.Results().Top()->Child(0)->Child(0)->Child(0);
  for (std::size_t v = 0; v < hive->ChildCount(); ++v)
    for (std::size_t a = 0; a < hive->Child(v)->ChildCount(); ++a) leaves.push_back(hive->Child(v)->Child(a));
  double total = 0, worst = 0;
  const int picks = 200;
  for (int i = 0; i < picks; ++i) {
    const auto start = Clock::now();
    form.SelectNode(*leaves[(i * 7919) % leaves.size()]);
    UpdateWindow(form.List().Handle());
    const double ms = Ms(Clock::now() - start);
    total += ms;
    worst = std::max(worst, ms);
  }
  registry.DeleteKey(kHkeyCurrentUser, kNodeKeys);
  std::printf("problem nodes %d (tree items %d): first full expansion %.1f ms; select + fill value list: mean %.2f ms, max %.2f ms over %d\n",
              kProblemNodes, form.Tree().Count(), expand_ms, total / picks, worst, picks);
}

}  // namespace

int main(int argc, char** argv) {
  const int repeat = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  Win32Registry registry;
  Win32FileSystem files;
  Win32Clock clock;
  Win32VersionRecordReader versions;
  Win32Shell shell;
  Win32UserMessages messages;
  Win32MailSystem mail_system;
  Win32MapiLibrary mapi(registry, mail_system);

  double headless = 1e300;
  long headless_problems = -1;
  for (int i = 0; i < repeat; ++i) {
    const HeadlessRun run = HeadlessScanRun(registry, files, clock);
    headless = std::min(headless, run.ms);
    headless_problems = run.problems;
  }

  Win32Clipboard clipboard;
  TRegEditAccess navigator([](const std::string&, const std::string&) {});
  TMainForm form({registry, files, versions, shell, messages, clock, mapi, clipboard, navigator});
  if (!form.Create()) return 1;
  ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
  std::vector<double> latencies;
  const double first = WindowScanMs(form, latencies);
  double window = first;
  for (int i = 1; i < repeat; ++i) window = std::min(window, WindowScanMs(form, latencies));
  std::sort(latencies.begin(), latencies.end());
  const double p99 = latencies.empty() ? 0 : latencies[latencies.size() * 99 / 100];
  const long window_problems = CountProblems(form.Results());
  std::printf("result nodes %zu, problems: headless %ld, window %ld; headless scan %.0f ms, window scan first "
              "%.0f ms (ratio %.3f), best %.0f ms (ratio %.3f, best of %d); "
              "UI answers during the window scans: %zu probes, max %.1f ms, p99 %.1f ms\n",
              static_cast<std::size_t>(form.Results().NodeCount()), headless_problems, window_problems, headless,
              first, first / headless, window, window / headless, repeat, latencies.size(),
              latencies.empty() ? 0 : latencies.back(), p99);
  // Times of scans that found different things compare different work.
  if (window_problems != headless_problems) {
    std::printf("error: the window found %ld problems, the headless scanner %ld\n", window_problems,
                headless_problems);
    return 1;
  }
  MeasureProblemNodes(form, registry);
  return 0;
}
