#include "app/deletion_report.h"

#include "lang/langv.h"
#include "lang/message_numbers.h"

namespace {

// The reasons' texts in the interface's language; what a kept entry says
// comes with the refusal.
std::string Reason(const Refusal& refusal, const TLangv& texts) {
  switch (refusal.reason) {
    case RefusalReason::kNone: return "";
    case RefusalReason::kRootKey: return texts.GetMsg(kMsgRefusedRootKey);
    case RefusalReason::kBackup: return texts.GetMsg(kMsgRefusedBackup);
    case RefusalReason::kByRegistry: return texts.GetMsg(kMsgRefusedByRegistry);
    case RefusalReason::kNoValue: return texts.GetMsg(kMsgRefusedNoValue);
    case RefusalReason::kNoProblem: return texts.GetMsg(kMsgRefusedNoProblem);
    case RefusalReason::kNoValueChosen: return texts.GetMsg(kMsgRefusedNoValueChosen);
    case RefusalReason::kChanged: return texts.GetMsg(kMsgRefusedChanged);
    case RefusalReason::kValidNow: return texts.GetMsg(kMsgRefusedValidNow);
    case RefusalReason::kCannotTell: return texts.GetMsg(kMsgRefusedCannotTell);
    case RefusalReason::kPartly: return texts.GetMsg(kMsgRefusedPartly);
    case RefusalReason::kGoneBefore: return texts.GetMsg(kMsgRefusedGoneBefore);
    case RefusalReason::kKept: break;
  }
  return refusal.kept;
}

std::string QuotedList(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& name : names) list += (list.empty() ? "\"" : ", \"") + name + '"';
  return list;
}

}  // namespace

std::string OutcomeText(const DeletionOutcome& outcome, const TLangv& texts) {
  if (!outcome.deleted)
    return FillIn(texts.GetMsg(kMsgNotDeleted), {outcome.key, Reason(outcome.refusal, texts)});
  if (outcome.values.empty()) return FillIn(texts.GetMsg(kMsgDeletedKey), {outcome.key});
  return FillIn(texts.GetMsg(kMsgDeletedValues), {outcome.key, QuotedList(outcome.values)});
}

std::string DeleteAllSummary(const DeletionSummary& summary, const std::string& backup_file,
                             const std::vector<std::string>& journal_notes, const TLangv& texts) {
  const std::size_t deleted = summary.deleted.size();
  std::string text =
      FillIn(texts.GetMsg(deleted == 1 ? kMsgDeletedOneProblem : kMsgDeletedProblems), {std::to_string(deleted)});
  if (!backup_file.empty()) text += "\r\n" + FillIn(texts.GetMsg(kMsgBackupFileIs), {backup_file});
  const auto list = [&](int heading, const std::vector<DeletionOutcome>& outcomes, bool with_reason) {
    if (outcomes.empty()) return;
    text += "\r\n\r\n" + FillIn(texts.GetMsg(heading), {std::to_string(outcomes.size())});
    for (const DeletionOutcome& outcome : outcomes)
      text += "\r\n" + outcome.key + (with_reason ? ": " + Reason(outcome.refusal, texts) : "");
  };
  list(kMsgNotDeletedCount, summary.refused, true);
  list(kMsgPartlyDeletedCount, summary.partly, false);
  list(kMsgGoneBeforeCount, summary.gone_before, false);
  for (const std::string& note : journal_notes) text += "\r\n" + note;
  return text;
}

std::string DeleteAllQuestion(const std::string& backup_file, const TLangv& texts) {
  return texts.GetMsg(kMsgDeleteAllQuestion) + " \r\n" + backup_file;
}
