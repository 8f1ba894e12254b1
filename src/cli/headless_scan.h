#pragma once
// One run of the headless scanner: checks the knowledge base, scans with
// it, lists the problems, optionally writes the results file and deletes
// what Delete All deletes; or lints the knowledge base, restores a backup
// or lists the ignore list. The thread that calls Run plays the UI thread.
#include <atomic>
#include <ostream>

#include "cli/result_formats.h"
#include "cli/scan_options.h"
#include "clean/backup_center.h"
#include "clean/scan_session.h"
#include "mail/mail_sender.h"
#include "platform/clock.h"
#include "platform/code_page.h"
#include "platform/queued_ui_thread.h"

struct HeadlessSystem {
  Registry& registry;
  FileSystem& files;
  Clock& clock;
  MailSender& mail;
  unsigned code_page = 1252;  // the code page of names and paths
  const CodePages& code_pages = SameCodePages();  // of the results file
  std::vector<ScannedHive> hives = {};  // what an offline scan reads
};

class HeadlessScan {
 public:
  // progress: where the running scan shows its progress, or null.
  HeadlessScan(const HeadlessSystem& system, std::ostream& out, std::ostream& err, std::ostream* progress)
      : system_(system), out_(out), err_(err), progress_(progress) {}

  // Returns the exit code.
  int Run(const ScanOptions& options);
  // From any thread (a Ctrl+C handler): stops the scan.
  void RequestStop();

 private:
  bool KnowledgeBaseReadable(const ScanSession& session);
  // Where the notes for people go: standard error when standard output
  // holds data for a program.
  std::ostream& Notes(const ScanOptions& options);
  void ListProblems(const ResultTree& tree, const ScanOptions& options, const ScanSummary& summary);
  int Delete(ScanSession& session, const ScanOptions& options, const ScanSummary& summary);
  // --restore FILE, or latest: the newest backup that is there and whole.
  // A recorded backup changed since it was made needs --force.
  int Restore(const ScanOptions& options);
  // The file's bytes, unless it names a device, is no regular file or is
  // larger than a backup can be (each said on standard error).
  std::optional<std::string> ReadRestoreFile(const std::string& file);
  int ListIgnored();
  // The history, then the backups of the current folder it lacks.
  std::vector<BackupEntry> Backups();
  int ListBackups(const ScanOptions& options);

  HeadlessSystem system_;
  std::ostream& out_;
  std::ostream& err_;
  std::ostream* progress_;
  QueuedUiThread ui_;
  std::atomic<bool> stop_requested_{false};
  ScanSession* session_ = nullptr;  // touched on the UI thread only
};
