#include "cli/headless_scan.h"

#include "cli/console_scan_view.h"
#include "cli/knowbase_lint.h"
#include "cli/problem_list.h"
#include "platform/file_errors.h"
#include "platform/files.h"
#include "regtext/Buck.h"
#include "scan/knowledge_base_fault.h"

bool HeadlessScan::KnowledgeBaseReadable(const std::string& path) {
  const std::string fault = KnowledgeBaseFault(system_.files, path);
  if (!fault.empty()) err_ << kScanProgram << fault << '\n';
  return fault.empty();
}

void HeadlessScan::RequestStop() {
  stop_requested_ = true;
  // The scanner lives on the UI thread; ask there.
  ui_.Post([this] {
    if (scanner_) scanner_->Terminate();
  });
}

std::string HeadlessScan::KnowledgeBasePath(const ScanOptions& options) {
  return options.knowledge_base.value_or(system_.files.ExeFolder() + Tverefy::kKnowledgeBaseName);
}

std::ostream& HeadlessScan::Notes(const ScanOptions& options) {
  return options.format == ResultFormat::kText ? out_ : err_;
}

void HeadlessScan::ListProblems(const ResultTree& tree, const ScanOptions& options, const ScanSummary& summary) {
  switch (options.format) {
    case ResultFormat::kText:
      WriteProblemList(tree, out_);
      break;
    case ResultFormat::kTsv:
      WriteTsvResults(tree, out_);
      break;
    case ResultFormat::kJson:
      WriteJsonResults(tree, summary, system_.code_page, out_);
      break;
  }
  std::ostream& notes = Notes(options);
  if (summary.stopped) notes << "Scan stopped: the list above holds only what was found until then.\n";
  notes << summary.problems << (summary.problems == 1 ? " problem" : " problems") << " found.\n";
}

int HeadlessScan::Run(const ScanOptions& options) {
  const std::string knowledge_base = KnowledgeBasePath(options);
  if (options.lint) return LintKnowledgeBaseFile(system_.files, options.lint_file.value_or(knowledge_base), out_, err_);
  if (!KnowledgeBaseReadable(knowledge_base)) return kExitUsage;

  ConsoleScanView view(progress_);
  ScanSummary summary;
  {
    Tverefy scanner(ScanContext{system_.registry, system_.files, ui_}, view, knowledge_base);
    scanner.Prepare();
    scanner_ = &scanner;
    if (stop_requested_) scanner.Terminate();
    scanner.Start();
    scanner.WaitFor();
    ui_.Drain();
    scanner_ = nullptr;
    summary.entries = scanner.TotalEntries();
  }
  summary.stopped = stop_requested_;
  summary.problems = CountProblems(view.tree);
  ListProblems(view.tree, options, summary);

  if (options.save_file) {
    TBuck journal(view.tree, system_.registry, system_.files, system_.clock, system_.mail, system_.code_pages);
    try {
      journal.SaveResults(*options.save_file);
    } catch (const std::exception& error) {
      err_ << kScanProgram << error.what() << '\n';
      return kExitUsage;
    }
    Notes(options) << "Results written to " << *options.save_file << '\n';
  }
  if (summary.stopped) return kExitStopped;
  return summary.problems > 0 ? kExitProblemsFound : kExitClean;
}
