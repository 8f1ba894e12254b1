#include "cli/headless_scan.h"

#include "clean/backup_center.h"
#include "clean/deletion.h"
#include "clean/ignore_list.h"
#include "clean/restore.h"
#include "cli/backup_list.h"
#include "cli/console_scan_view.h"
#include "cli/knowbase_lint.h"
#include "cli/problem_list.h"
#include "platform/case_fold.h"
#include "platform/device_names.h"
#include "platform/file_errors.h"
#include "platform/files.h"

namespace {

bool DeletionFollows(const ScanOptions& options, const ScanSummary& summary) {
  return (options.remove || options.dry_run) && !summary.stopped;
}

}  // namespace

bool HeadlessScan::KnowledgeBaseReadable(const ScanSession& session) {
  const std::string fault = session.KnowledgeBaseFault();
  if (!fault.empty()) err_ << kScanProgram << fault << '\n';
  return fault.empty();
}

void HeadlessScan::RequestStop() {
  stop_requested_ = true;
  // The scanner lives on the UI thread; ask there.
  ui_.Post([this] {
    if (session_) session_->Stop();
  });
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
      // With a deletion to come, the JSON object ends with what it did.
      if (!DeletionFollows(options, summary)) WriteJsonResults(tree, summary, system_.code_page, out_);
      break;
  }
  std::ostream& notes = Notes(options);
  WriteHivesText(summary.hives, notes);
  if (summary.stopped) notes << "Scan stopped: the list above holds only what was found until then.\n";
  notes << summary.problems << (summary.problems == 1 ? " problem" : " problems") << " found.\n";
}

int HeadlessScan::ListIgnored() {
  const std::vector<IgnoredItem> items = ReadIgnoreList(system_.registry);
  for (const IgnoredItem& item : items) {
    out_ << item.key << "\n    ";
    if (item.value) out_ << "value \"" << *item.value << "\"; ";
    out_ << "added " << item.added << '\n';
  }
  out_ << items.size() << (items.size() == 1 ? " item" : " items") << " on the ignore list.\n";
  return kExitClean;
}

std::vector<BackupEntry> HeadlessScan::Backups() {
  // The backup folder of this program is the current one.
  return BackupEntries(ReadBackupHistory(system_.registry), system_.files, system_.files.CurrentFolder());
}

int HeadlessScan::ListBackups(const ScanOptions& options) {
  WriteBackupList(Backups(), options.format, out_);
  return kExitClean;
}

int HeadlessScan::Restore(const ScanOptions& options) {
  const std::vector<BackupEntry> entries = Backups();
  std::optional<BackupEntry> chosen;
  if (*options.restore_file == kLatestBackup) {
    chosen = LatestBackup(entries);
    if (!chosen) {
      err_ << kScanProgram << "no backup to restore: the history and this folder hold none that is there and whole; "
           << "nothing written\n";
      return kExitUsage;
    }
  } else {
    const std::string full = system_.files.FullPath(*options.restore_file);
    for (const BackupEntry& entry : entries)
      if (entry.recorded && EqualsNoCase(entry.record.file, full)) chosen = entry;
  }
  const std::string file = chosen ? chosen->record.file : *options.restore_file;
  if (chosen && chosen->state == BackupFileState::kChanged && !options.force) {
    err_ << kScanProgram << file << " changed since it was made (not the size and SHA-256 it was written with); "
         << "nothing written (--force restores it all the same)\n";
    return kExitUsage;
  }
  const std::optional<std::string> text = ReadRestoreFile(file);
  if (!text) return kExitUsage;
  const RestorePlan plan = PlanRestore(*text, system_.code_pages);
  std::string refusal = plan.error;
  if (refusal.empty() && !plan.deletions.empty() && !options.allow_deletions)
    refusal = RestoreDeletionsRefusal(plan) + " (--allow-deletions carries them out)";
  if (!refusal.empty()) {
    err_ << kScanProgram << file << ": " << refusal << "; nothing written\n";
    return kExitUsage;
  }
  const RestoreReport report = ApplyRestore(system_.registry, *text, system_.code_pages,
                                            options.overwrite ? OnConflict::kOverwrite : OnConflict::kKeep);
  std::string summary = RestoreSummary(report);
  for (std::size_t at; (at = summary.find("\r\n")) != std::string::npos;) summary.erase(at, 1);
  out_ << "Restored from " << file << ":\n" << summary << '\n';
  return RestoredAll(report) ? kExitClean : kExitRefused;
}

std::optional<std::string> HeadlessScan::ReadRestoreFile(const std::string& file) {
  const char* fault = nullptr;
  RegularFileRead read;
  if (NamesDevice(file)) {
    fault = "names a device, not a file";
  } else {
    read = system_.files.ReadRegularFile(file, kLargestBackupFile);
    if (read.kind == RegularFileRead::Kind::kMissing) fault = "cannot be read";
    else if (read.kind == RegularFileRead::Kind::kNotAFile) fault = "is not a file (a folder, a device or a pipe)";
    else if (read.bytes.size() > kLargestBackupFile) fault = "is larger than any backup (256 MB)";
  }
  if (!fault) return std::move(read.bytes);
  err_ << kScanProgram << file << ' ' << fault << "; nothing written\n";
  return std::nullopt;
}

int HeadlessScan::Delete(ScanSession& session, const ScanOptions& options, const ScanSummary& summary) {
  ResultTree& tree = session.Tree();
  TBuck& journal = session.Journal();
  const bool dry_run = options.dry_run;
  if (options.backup_file && !dry_run && system_.files.FileExists(*options.backup_file)) {
    err_ << kScanProgram << "the backup file " << *options.backup_file << " exists already; nothing deleted\n";
    return kExitUsage;
  }
  // The problems as found, before the deletion prunes the tree.
  const std::string problems = options.format == ResultFormat::kJson ? JsonProblems(tree) : "";
  if (options.backup_file) journal.BeginBackupFile(*options.backup_file);
  ProblemDeletion deletion = session.Deletion();
  deletion.SetDryRun(dry_run);
  DeletionResults results;
  DeletionSummary done;
  try {
    done = deletion.DeleteAll([] {});
    const bool backup_written = dry_run || journal.Written();
    results = {backup_written ? journal.FileName() : "", done.deleted, done.refused, done.partly, done.gone_before};
  } catch (const FileCreateError& error) {
    // The name taken by another run at the last moment: it is never replaced.
    if (options.backup_file && system_.files.FileExists(*options.backup_file))
      err_ << kScanProgram << "the backup file " << *options.backup_file << " exists already; nothing deleted\n";
    else
      err_ << kScanProgram << error.what() << " (the backup file); nothing deleted\n";
    return kExitUsage;
  }
  if (!dry_run && !RecordDeletion(system_.registry, journal, "--delete", "TarnelScan", done, system_.clock.Now()))
    err_ << kScanProgram << kBackupHistoryNotStored << '\n';
  if (options.format == ResultFormat::kJson) WriteJsonResults(problems, summary, system_.code_page, &results, out_);
  WriteDeletionText(results, dry_run, options.format == ResultFormat::kJson ? err_ : Notes(options));
  for (const std::string& note : journal.Notes()) Notes(options) << note << '\n';
  if (summary.problems == 0) return kExitClean;
  return results.refused.empty() && results.partly.empty() ? kExitProblemsFound : kExitRefused;
}

int HeadlessScan::Run(const ScanOptions& options) {
  ScanSession session(
      ScanSessionServices{system_.registry, system_.files, system_.clock, system_.mail, ui_, system_.code_pages},
      options.knowledge_base);
  session.UseIgnoreList(!options.no_ignore);
  if (options.lint)
    return LintKnowledgeBaseFile(system_.files, options.lint_file.value_or(session.KnowledgeBase()), out_, err_);
  if (options.restore_file) return Restore(options);
  if (options.list_backups) return ListBackups(options);
  if (options.list_ignored) return ListIgnored();
  if (!KnowledgeBaseReadable(session)) return kExitUsage;

  ConsoleScanView view(session.Tree(), progress_);
  ScanSummary summary;
  summary.hives = system_.hives;
  session_ = &session;
  if (stop_requested_) session.Stop();
  session.Start(view);
  session.WaitForScan();
  ui_.Drain();
  session_ = nullptr;
  summary.entries = session.TotalEntries();
  summary.stopped = stop_requested_;
  summary.problems = CountProblems(session.Tree());
  ListProblems(session.Tree(), options, summary);

  if (options.save_file) {
    try {
      session.Journal().SaveResults(*options.save_file);
    } catch (const std::exception& error) {
      err_ << kScanProgram << error.what() << '\n';
      return kExitUsage;
    }
    Notes(options) << "Results written to " << *options.save_file << '\n';
  }
  if (summary.stopped) return kExitStopped;  // nothing is deleted after a scan that did not end
  if (DeletionFollows(options, summary)) return Delete(session, options, summary);
  return summary.problems > 0 ? kExitProblemsFound : kExitClean;
}
