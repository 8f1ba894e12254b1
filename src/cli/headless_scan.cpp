#include "cli/headless_scan.h"

#include "cli/console_scan_view.h"
#include "cli/problem_list.h"
#include "platform/file_errors.h"
#include "platform/files.h"
#include "platform/ini_file.h"
#include "regtext/Buck.h"

namespace {
constexpr const char* kProgram = "TarnelScan: ";
}

bool HeadlessScan::KnowledgeBaseReadable(const std::string& path) {
  const std::optional<IniFile> ini = LoadIniFile(system_.files, path);
  if (!ini) {
    err_ << kProgram << "cannot read the knowledge base " << path << '\n';
    return false;
  }
  if (!ini->HasSection(Tverefy::kSectionName)) {
    err_ << kProgram << "the knowledge base " << path << " has no section [" << Tverefy::kSectionName << "]\n";
    return false;
  }
  return true;
}

void HeadlessScan::RequestStop() {
  stop_requested_ = true;
  // The scanner lives on the UI thread; ask there.
  ui_.Post([this] {
    if (scanner_) scanner_->Terminate();
  });
}

int HeadlessScan::Run(const ScanOptions& options) {
  const std::string knowledge_base =
      options.knowledge_base.value_or(system_.files.ExeFolder() + Tverefy::kKnowledgeBaseName);
  if (!KnowledgeBaseReadable(knowledge_base)) return kExitUsage;

  ConsoleScanView view(progress_);
  {
    Tverefy scanner(ScanContext{system_.registry, system_.files, ui_}, view, knowledge_base);
    scanner.Prepare();
    scanner_ = &scanner;
    if (stop_requested_) scanner.Terminate();
    scanner.Start();
    scanner.WaitFor();
    ui_.Drain();
    scanner_ = nullptr;
  }
  const bool stopped = stop_requested_;

  const int count = WriteProblemList(view.tree, out_);
  if (stopped) out_ << "Scan stopped: the list above holds only what was found until then.\n";
  out_ << count << (count == 1 ? " problem" : " problems") << " found.\n";

  if (options.save_file) {
    TBuck journal(view.tree, system_.registry, system_.files, system_.clock, system_.mail);
    try {
      journal.SaveResults(*options.save_file);
    } catch (const std::exception& error) {
      err_ << kProgram << error.what() << '\n';
      return kExitUsage;
    }
    out_ << "Results written to " << *options.save_file << '\n';
  }
  if (stopped) return kExitStopped;
  return count > 0 ? kExitProblemsFound : kExitClean;
}
