#pragma once
// What the window tells after deleting: one problem in the status panel,
// Delete All in one summary.
#include <string>
#include <vector>

#include "app/deletion.h"

std::string OutcomeText(const DeletionOutcome& outcome);
std::string DeleteAllSummary(const DeletionSummary& summary, const std::string& backup_file,
                             const std::vector<std::string>& journal_notes);
// The confirmation Delete All asks first.
std::string DeleteAllQuestion(const std::string& backup_file);
