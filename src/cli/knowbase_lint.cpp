#include "cli/knowbase_lint.h"

#include <algorithm>
#include <unordered_map>

#include "cli/exclusion_lint.h"
#include "cli/scan_options.h"
#include "platform/case_fold.h"
#include "platform/files.h"
#include "platform/ini_file.h"
#include "platform/ini_lines.h"
#include "scan/BaseVer.h"
#include "scan/verefy.h"

namespace {

const std::string kSection = Tverefy::kSectionName;

class Lint {
 public:
  explicit Lint(const std::string& text)
      : text_(text), ini_(text), lines_(FindSectionLines(text, kSection)), entries_(ReadRuleEntries(ini_, kSection)) {}

  std::vector<LintFinding> Run() {
    if (!ini_.HasSection(kSection)) {
      Error(1, "no section [" + kSection + "]: a scan with this file finds nothing");
      return findings_;
    }
    for (std::size_t later : lines_.later_headers)
      Error(later, "the section [" + kSection + "] again: the scanner reads only the first, at line " +
                       std::to_string(lines_.header) + ", and none of the entries below this line");
    LintEntries();
    for (LintFinding& finding : LintExclusions(text_, entries_)) findings_.push_back(std::move(finding));
    if (entries_.empty() && findings_.empty())
      Error(lines_.header, "the section [" + kSection + "] has no entries: a scan with this file finds nothing");
    std::stable_sort(findings_.begin(), findings_.end(),
                     [](const LintFinding& a, const LintFinding& b) { return a.line < b.line; });
    return findings_;
  }

 private:
  void Error(std::size_t line, std::string message) {
    findings_.push_back({line, LintSeverity::kError, std::move(message)});
  }
  void Warning(std::size_t line, std::string message) {
    findings_.push_back({line, LintSeverity::kWarning, std::move(message)});
  }

  // The lines whose names the reader lists, in the list's order.
  std::vector<const IniLine*> ListedLines() const {
    std::vector<const IniLine*> listed;
    for (const IniLine& line : lines_.lines)
      if (line.has_value && !line.name.starts_with(';')) listed.push_back(&line);
    return listed;
  }

  void LintEntries() {
    // The reader takes the value of a name from the first line of that name,
    // with or without "=".
    std::unordered_map<std::string, const IniLine*> first_of_name;
    for (const IniLine& line : lines_.lines) first_of_name.try_emplace(FoldCase(line.name), &line);

    const std::vector<const IniLine*> listed = ListedLines();
    for (std::size_t i = 0; i < listed.size(); ++i) {
      const IniLine& line = *listed[i];
      if (i >= entries_.size()) {
        NotRead(line, listed.size() - i - 1);
        return;
      }
      const auto& [name, value] = entries_[i];
      if (name != line.name) {
        Error(line.number, "the 16384-byte name list cuts this name to \"" + name + "\": the scanner reads no rule "
                           "of this line");
        continue;
      }
      const IniLine& first = *first_of_name.at(FoldCase(name));
      if (&first != &line) {
        if (first.has_value) {
          Warning(line.number, "the entry name of line " + std::to_string(first.number) +
                                   " again: only that entry counts, its rule runs once more here, and the value "
                                   "of this line is never read");
          continue;
        }
        Warning(line.number, "line " + std::to_string(first.number) +
                                 " has this name without \"=\": the scanner reads an empty value for this entry");
      }
      for (EntryFinding& finding : LintEntry(name, value))
        findings_.push_back({line.number, finding.severity, std::move(finding.message)});
    }
  }

  void NotRead(const IniLine& line, std::size_t below) {
    const std::string and_below = below == 0 ? "" : " or the " + std::to_string(below) + " below it";
    if (line.name.empty())
      Error(line.number, "an entry without a name ends the scanner's list of entries: it reads none from here on" +
                             std::string(below == 0 ? "" : " (" + std::to_string(below) + " more)"));
    else
      Error(line.number, "the names from here on do not fit in the 16384-byte name list: the scanner never reads "
                         "this entry" + and_below);
  }

  const std::string& text_;
  IniFile ini_;
  IniSectionLines lines_;
  RuleEntries entries_;
  std::vector<LintFinding> findings_;
};

}  // namespace

std::vector<LintFinding> LintKnowledgeBase(const std::string& text) { return Lint(text).Run(); }

int WriteLintFindings(const std::string& file, const std::vector<LintFinding>& findings, std::ostream& out) {
  int code = kLintClean;
  for (const LintFinding& finding : findings) {
    const bool error = finding.severity == LintSeverity::kError;
    out << file << ':' << finding.line << ": " << (error ? "error" : "warning") << ": " << finding.message << '\n';
    code = std::max(code, error ? kLintErrors : kLintWarnings);
  }
  return code;
}

int LintKnowledgeBaseFile(FileSystem& files, const std::string& path, std::ostream& out, std::ostream& err) {
  const std::optional<std::string> text = files.ReadFile(path);
  if (!text) {
    err << kScanProgram << "cannot read the knowledge base " << path << '\n';
    return kLintErrors;
  }
  return WriteLintFindings(path, LintKnowledgeBase(*text), out);
}
