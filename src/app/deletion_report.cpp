#include "app/deletion_report.h"

#include "lang/langv.h"
#include "lang/message_numbers.h"

namespace {

struct ReasonText {
  const char* reason;
  int message;
};
constexpr ReasonText kReasonTexts[] = {
    {kRefusedRootKey, kMsgRefusedRootKey},
    {kRefusedBackup, kMsgRefusedBackup},
    {kRefusedByRegistry, kMsgRefusedByRegistry},
    {kRefusedNoValue, kMsgRefusedNoValue},
    {kRefusedNoProblem, kMsgRefusedNoProblem},
    {kRefusedNoValueChosen, kMsgRefusedNoValueChosen},
    {kRefusedChanged, kMsgRefusedChanged},
    {kRefusedValidNow, kMsgRefusedValidNow},
    {kRefusedCannotTell, kMsgRefusedCannotTell},
};

std::string Reason(const std::string& reason, const TLangv& texts) {
  for (const ReasonText& known : kReasonTexts)
    if (reason == known.reason) return texts.GetMsg(known.message);
  return reason;
}

std::string QuotedList(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& name : names) list += (list.empty() ? "\"" : ", \"") + name + '"';
  return list;
}

}  // namespace

std::string OutcomeText(const DeletionOutcome& outcome, const TLangv& texts) {
  if (!outcome.deleted)
    return FillIn(texts.GetMsg(kMsgNotDeleted), {outcome.key, Reason(outcome.reason, texts)});
  if (outcome.values.empty()) return FillIn(texts.GetMsg(kMsgDeletedKey), {outcome.key});
  return FillIn(texts.GetMsg(kMsgDeletedValues), {outcome.key, QuotedList(outcome.values)});
}

std::string DeleteAllSummary(const DeletionSummary& summary, const std::string& backup_file,
                             const std::vector<std::string>& journal_notes) {
  std::string text = "Deleted: " + std::to_string(summary.deleted.size()) +
                     (summary.deleted.size() == 1 ? " problem." : " problems.");
  // Nothing deleted leaves no backup of this deletion.
  if (!summary.deleted.empty()) text += "\r\nBackup file: " + backup_file;
  if (!summary.refused.empty()) {
    text += "\r\n\r\nNot deleted: " + std::to_string(summary.refused.size());
    for (const DeletionOutcome& refused : summary.refused) text += "\r\n" + refused.key + ": " + refused.reason;
  }
  for (const std::string& note : journal_notes) text += "\r\n" + note;
  return text;
}

std::string DeleteAllQuestion(const std::string& backup_file) {
  return "Attention! All keys will be deleted and are saved in the file \r\n" + backup_file;
}
