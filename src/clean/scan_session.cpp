#include "clean/scan_session.h"

#include "clean/ignore_list.h"
#include "clean/rule_judge.h"
#include "scan/knowledge_base_fault.h"
#include "scan/verefy.h"

ScanSession::ScanSession(const ScanSessionServices& services, const std::optional<std::string>& knowledge_base)
    : services_(services),
      knowledge_base_(knowledge_base.value_or(services.files.ExeFolder() + Tverefy::kKnowledgeBaseName)),
      journal_(tree_, services.registry, services.files, services.clock, services.mail, services.code_pages) {}

ScanSession::~ScanSession() = default;

std::string ScanSession::KnowledgeBaseFault() const { return ::KnowledgeBaseFault(services_.files, knowledge_base_); }

void ScanSession::Start(ScanView& view, std::function<void()> on_finished) {
  journal_.BeginBackupFile();
  // The scan before must be over before its kept entries change under it.
  scanner_.reset();
  scan_kept_ = KeptNow();
  scanner_ = std::make_unique<Tverefy>(ScanContext{services_.registry, services_.files, services_.ui}, view,
                                       knowledge_base_);
  scanner_->SetKeepList(&scan_kept_);
  scanner_->Prepare();
  scanner_->OnTerminate = std::move(on_finished);
  if (stop_before_start_) scanner_->Terminate();
  stop_before_start_ = false;
  scanner_->Start();
}

bool ScanSession::Scanning() const { return scanner_ && !scanner_->Finished(); }

bool ScanSession::Stopped() const { return scanner_ && scanner_->Terminated(); }

void ScanSession::Stop() {
  if (scanner_) {
    scanner_->Terminate();
  } else {
    stop_before_start_ = true;
  }
}

void ScanSession::WaitForScan() {
  if (scanner_) scanner_->WaitFor();
}

int ScanSession::TotalEntries() const { return scanner_ ? scanner_->TotalEntries() : 0; }

KeepList ScanSession::KeptNow() const {
  return ReadKeptEntries(services_.registry, services_.files, knowledge_base_, use_ignore_list_);
}

ProblemDeletion ScanSession::Deletion() {
  deletion_kept_ = KeptNow();
  ProblemDeletion deletion(tree_, services_.registry, journal_);
  deletion.SetKeepList(&deletion_kept_);
  // Judged by the rules of the scan that found the problems, whatever the
  // knowledge base holds by now.
  judge_ = scanner_ ? std::make_unique<RuleJudge>(services_.registry, services_.files, scanner_->Rules(),
                                                  &deletion_kept_)
                    : nullptr;
  deletion.SetJudge(judge_.get());
  return deletion;
}

void ScanSession::End() {
  scanner_.reset();
}
