#pragma once
// One program's scans and what they leave: the result tree, the backup
// journal, the scanner, and the entries a scan and a deletion keep. Both
// programs start a scan through it, so the steps whose order keeps data
// safe are written once.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "clean/deletion.h"
#include "mail/mail_sender.h"
#include "platform/clock.h"
#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/ui_thread.h"
#include "regtext/Buck.h"
#include "scan/keep_list.h"
#include "scan/result_tree.h"
#include "scan/scan_view.h"

class RuleJudge;
class Tverefy;

// What a session reads, writes and reports through.
struct ScanSessionServices {
  Registry& registry;
  FileSystem& files;
  Clock& clock;
  MailSender& mail;
  UiThread& ui;
  const CodePages& code_pages = SameCodePages();  // of the backup and results files
};

class ScanSession {
 public:
  // knowledge_base: the rules file; none for the one beside the program.
  explicit ScanSession(const ScanSessionServices& services,
                       const std::optional<std::string>& knowledge_base = std::nullopt);
  // A running scan ends first: it writes to the tree.
  ~ScanSession();
  ScanSession(const ScanSession&) = delete;
  ScanSession& operator=(const ScanSession&) = delete;

  const std::string& KnowledgeBase() const { return knowledge_base_; }
  // Why a scan with the knowledge base would find nothing; empty when it can
  // be used.
  std::string KnowledgeBaseFault() const;
  // Whether the user's ignore list is kept besides the rules' exclusions
  // (on unless set otherwise).
  void UseIgnoreList(bool use) { use_ignore_list_ = use; }

  ResultTree& Tree() { return tree_; }
  const ResultTree& Tree() const { return tree_; }
  TBuck& Journal() { return journal_; }
  const TBuck& Journal() const { return journal_; }

  // Starts a scan that reports to the view: first the backups of the scan
  // before are written and a new backup file is named after this start
  // (throws FileCreateError when they cannot be written, and then nothing
  // else has changed); then the kept entries are read as they are now, and
  // the scanner starts on the worker. on_finished runs on the UI thread
  // when the scan has ended.
  void Start(ScanView& view, std::function<void()> on_finished = {});
  bool Scanning() const;
  // On the UI thread: asks the running scan to end. Asked before a scan
  // was ever started, the first one ends as soon as it starts.
  void Stop();
  // Whether the last scan was asked to end before it was done.
  bool Stopped() const;
  // On the UI thread: waits for the running scan to end, serving its calls.
  void WaitForScan();
  // The rule entries the last scan went through; 0 before the first.
  int TotalEntries() const;

  // A deletion over the tree that backs up through the journal, keeps what
  // the ignore list and the exclusions keep as they are now, and judges
  // each problem again by the rules that found it.
  ProblemDeletion Deletion();
  // What a scan and a deletion keep, read now.
  KeepList KeptNow() const;

  // Ends the running scan. Every deletion wrote its backup before it
  // deleted anything: nothing is left to write.
  void End();

 private:
  ScanSessionServices services_;
  std::string knowledge_base_;
  bool use_ignore_list_ = true;
  bool stop_before_start_ = false;
  ResultTree tree_;
  TBuck journal_;
  KeepList scan_kept_;      // read by the running scan's worker
  KeepList deletion_kept_;  // what the deletion in progress leaves alone
  std::unique_ptr<RuleJudge> judge_;  // of the deletion in progress
  std::unique_ptr<Tverefy> scanner_;
};
