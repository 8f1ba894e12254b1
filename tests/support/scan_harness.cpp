#include "support/scan_harness.h"

#include <atomic>
#include <limits>
#include <thread>

void ScanHarness::SetKnowledgeBase(const std::string& ini_text) { files_.WriteFileAtomic(knowledge_base_, ini_text); }

void ScanHarness::Scan() { Run(std::numeric_limits<std::size_t>::max()); }

void ScanHarness::ScanStoppingAfter(std::size_t changes) { Run(changes); }

void ScanHarness::Run(std::size_t stop_after_changes) {
  std::atomic<bool> completed{false};
  const std::thread::id ui_thread = std::this_thread::get_id();
  {
    Tverefy scanner(ScanContext{registry_, files_, ui_}, view, knowledge_base_);
    scanner.Prepare();
    scanner.OnTerminate = [&] {
      ++completions;
      completion_on_ui_thread = completion_on_ui_thread && std::this_thread::get_id() == ui_thread;
      completed = true;
    };
    const std::size_t before = view.calls.size();
    // The stop is requested inside a change, while the worker waits for it,
    // so that where the scan stops does not depend on timing.
    view.after_each_call = [&] {
      if (view.calls.size() - before >= stop_after_changes) scanner.Terminate();
    };
    scanner.Start();
    scanner.WaitFor();
    // The completion is delivered on the UI thread after the body ends.
    ui_.ServeUntil(completed);
  }
  view.after_each_call = nullptr;
}
