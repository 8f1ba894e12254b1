#pragma once
// One run of the headless scanner: checks the knowledge base, scans with
// it, lists the problems and optionally writes the results file. The
// thread that calls Run plays the UI thread.
#include <atomic>
#include <ostream>

#include "cli/scan_options.h"
#include "mail/mail_sender.h"
#include "platform/clock.h"
#include "platform/queued_ui_thread.h"
#include "scan/verefy.h"

struct HeadlessSystem {
  Registry& registry;
  FileSystem& files;
  Clock& clock;
  MailSender& mail;
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
  bool KnowledgeBaseReadable(const std::string& path);

  HeadlessSystem system_;
  std::ostream& out_;
  std::ostream& err_;
  std::ostream* progress_;
  QueuedUiThread ui_;
  std::atomic<bool> stop_requested_{false};
  Tverefy* scanner_ = nullptr;  // touched on the UI thread only
};
