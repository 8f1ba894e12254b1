#include "support/scan_harness.h"

#include <limits>

void ScanHarness::SetKnowledgeBase(const std::string& ini_text) {
  files_.WriteFileAtomic(files_.ExeFolder() + Tverefy::kKnowledgeBaseName, ini_text);
}

void ScanHarness::Scan() { Run(std::numeric_limits<std::size_t>::max()); }

void ScanHarness::ScanStoppingAfter(std::size_t changes) { Run(changes); }

void ScanHarness::Run(std::size_t stop_after_changes) {
  Tverefy scanner(ScanContext{registry_, files_, ui_}, view);
  scanner.Prepare();
  scanner.OnTerminate = [this] { ++completions; };
  const std::size_t before = view.calls.size();
  // The stop is requested inside a change, while the worker waits for it,
  // so that where the scan stops does not depend on timing.
  view.after_each_call = [&] {
    if (view.calls.size() - before >= stop_after_changes) scanner.Terminate();
  };
  scanner.Start();
  scanner.WaitFor();
  ui_.Drain();
  view.after_each_call = nullptr;
}
