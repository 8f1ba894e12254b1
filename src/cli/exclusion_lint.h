#pragma once
// What the section [EXCLUDE] of a knowledge base tells its author: lines
// the reader leaves out (an unknown root name, an empty key pattern),
// patterns that name nothing a rule reports or deletes, and repeats.
#include <string>
#include <vector>

#include "cli/knowbase_lint.h"
#include "scan/BaseVer.h"

// rules: the [PATHS1] entries as the scanner reads them.
std::vector<LintFinding> LintExclusions(const std::string& text, const RuleEntries& rules);
