#pragma once
// What the window tells after deleting, in the interface's language: one
// problem in the status panel; Delete All in one summary, after a question.
#include <string>
#include <vector>

#include "clean/deletion.h"

class TLangv;

// "Deleted the key K", "Deleted from K: "a", "b"", or why not.
std::string OutcomeText(const DeletionOutcome& outcome, const TLangv& texts);
// backup_file: empty when none was written.
std::string DeleteAllSummary(const DeletionSummary& summary, const std::string& backup_file,
                             const std::vector<std::string>& journal_notes, const TLangv& texts);
// The confirmation Delete All asks first.
std::string DeleteAllQuestion(const std::string& backup_file, const TLangv& texts);
