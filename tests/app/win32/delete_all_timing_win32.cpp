// Delete All in the window against the headless scanner's --delete, on the
// same planted problems in a sandboxed registry: N application paths whose
// file is gone (N from the command line, 20,000 by default). Not a test: it
// prints the times, their ratio and how long the window's thread took at
// worst to answer while the window deleted.
//
//   wine DeleteAllTiming.exe [problems]
#include <windows.h>
#include <commctrl.h>

#include <sstream>

#include "app/win32/command_ids.h"
#include "cli/headless_scan.h"
#include "cli/problem_list.h"
#include "support/no_mail.h"
#include "window_timing_win32.h"

using namespace window_timing;

namespace {

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

}  // namespace

int main(int argc, char** argv) {
  const int problems = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20000;
  TimingSetup setup("delete-all-timing", problems);
  SandboxedSystemRegistry& registry = *setup.registry;
  ProgramFolder& files = setup.files;
  const std::string& rules = setup.rules;
  // The first scan warms the registry's caches: the better of two.
  const double scan_only =
      std::min(HeadlessSeconds(registry, files, false, rules), HeadlessSeconds(registry, files, false, rules));
  const double headless = HeadlessSeconds(registry, files, true, rules);

  Plant(registry, problems);
  TimedWindow timed(registry, files);
  if (!timed.Open()) return 1;
  TMainForm& form = timed.Form();
  const double window_scan = timed.ScanToTheEnd();
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
