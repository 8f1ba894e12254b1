#include "app/deletion_report.h"

std::string OutcomeText(const DeletionOutcome& outcome) {
  if (outcome.deleted) return "Deleted " + outcome.key;
  return "Not deleted: " + outcome.key + ": " + outcome.reason;
}

std::string DeleteAllSummary(const DeletionSummary& summary, const std::string& backup_file,
                             const std::vector<std::string>& journal_notes) {
  std::string text = "Deleted: " + std::to_string(summary.deleted.size()) +
                     (summary.deleted.size() == 1 ? " problem." : " problems.") + "\r\nBackup file: " + backup_file;
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
