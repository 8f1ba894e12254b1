#include "cli/result_formats.h"

#include "scan/key_paths.h"

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

void AppendHexEscape(std::string& out, const char* prefix, unsigned char byte) {
  out += prefix;
  out += kHexDigits[byte >> 4];
  out += kHexDigits[byte & 15];
}

}  // namespace

std::optional<ResultFormat> ResultFormatNamed(const std::string& name) {
  if (name == "text") return ResultFormat::kText;
  if (name == "tsv") return ResultFormat::kTsv;
  if (name == "json") return ResultFormat::kJson;
  return std::nullopt;
}

std::string TsvField(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '|': out += "\\x7c"; break;
      default: out += c;
    }
  }
  return out;
}

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      default:
        if (byte < 0x20 || byte >= 0x7f) AppendHexEscape(out, "\\u00", byte);
        else out += c;
    }
  }
  return out + '"';
}

void WriteTsvResults(const ResultTree& tree, std::ostream& out) {
  out << "path\tmessage\tlevel\tvalues\n";
  ForEachProblem(*tree.Top(), [&](const ResultNode& node) {
    const TErrorClass& record = *node.Data();
    out << TsvField(NodeFullPath(node)) << '\t' << TsvField(record.FMessage) << '\t' << record.FLevel << '\t';
    for (std::size_t i = 0; i < record.FValueNames.size(); ++i) out << (i ? "|" : "") << TsvField(record.FValueNames[i]);
    out << '\n';
  });
}

std::string JsonProblems(const ResultTree& tree) {
  std::string out = "[";
  bool any = false;
  ForEachProblem(*tree.Top(), [&](const ResultNode& node) {
    const TErrorClass& record = *node.Data();
    out += (any ? ",\n" : "\n");
    out += "    {\"path\": " + JsonString(NodeFullPath(node)) + ", \"message\": " + JsonString(record.FMessage) +
           ", \"level\": " + std::to_string(record.FLevel) + ", \"values\": [";
    for (std::size_t i = 0; i < record.FValueNames.size(); ++i)
      out += (i ? ", " : "") + JsonString(record.FValueNames[i]);
    out += "]}";
    any = true;
  });
  return out + (any ? "\n  ]" : "]");
}

namespace {

std::string JsonOutcomes(const std::vector<DeletionOutcome>& outcomes, bool with_reason) {
  std::string out = "[";
  for (std::size_t i = 0; i < outcomes.size(); ++i) {
    out += (i ? ",\n" : "\n");
    out += "    {\"path\": " + JsonString(outcomes[i].key);
    if (with_reason) out += ", \"reason\": " + JsonString(RefusalText(outcomes[i].refusal));
    out += "}";
  }
  return out + (outcomes.empty() ? "]" : "\n  ]");
}

std::string JsonHives(const std::vector<ScannedHive>& hives) {
  std::string out = "[";
  for (std::size_t i = 0; i < hives.size(); ++i) {
    const ScannedHive& hive = hives[i];
    out += (i ? ",\n" : "\n");
    out += "    {\"path\": " + JsonString(hive.path) + ", \"role\": " + JsonString(hive.role) +
           ", \"present\": " + (hive.present ? "true" : "false") + ", \"keys\": " + std::to_string(hive.keys) +
           ", \"values\": " + std::to_string(hive.values) + ", \"dirty\": " + (hive.dirty ? "true" : "false") +
           ", \"log_entries_applied\": " + std::to_string(hive.log_entries_applied) + "}";
  }
  return out + (hives.empty() ? "]" : "\n  ]");
}

}  // namespace

void WriteHivesText(const std::vector<ScannedHive>& hives, std::ostream& out) {
  for (const ScannedHive& hive : hives) {
    out << hive.role << ": " << hive.path;
    if (!hive.present) {
      out << ": not there; its rules find nothing\n";
      continue;
    }
    out << " (" << hive.keys << " keys, " << hive.values << " values";
    if (hive.dirty && hive.log_entries_applied > 0)
      out << "; dirty: " << hive.log_entries_applied << " log entries applied";
    else if (hive.dirty)
      out << "; dirty: read as last written cleanly, its logs ignored";
    out << ")\n";
  }
}

void WriteJsonResults(const std::string& problems, const ScanSummary& summary, unsigned code_page,
                      const DeletionResults* deletion, std::ostream& out) {
  out << "{\n  \"code_page\": " << code_page << ",\n  \"summary\": {\"entries\": " << summary.entries
      << ", \"problems\": " << summary.problems << ", \"stopped\": " << (summary.stopped ? "true" : "false")
      << "},\n  \"problems\": " << problems;
  if (!summary.hives.empty()) out << ",\n  \"hives\": " << JsonHives(summary.hives);
  if (deletion) {
    out << ",\n  \"backup\": " << JsonString(deletion->backup_file) << ",\n  \"deleted\": "
        << JsonOutcomes(deletion->deleted, false) << ",\n  \"refused\": " << JsonOutcomes(deletion->refused, true)
        << ",\n  \"partly_deleted\": " << JsonOutcomes(deletion->partly, true)
        << ",\n  \"gone_before\": " << JsonOutcomes(deletion->gone_before, false);
  }
  out << "\n}\n";
}

void WriteJsonResults(const ResultTree& tree, const ScanSummary& summary, unsigned code_page, std::ostream& out) {
  WriteJsonResults(JsonProblems(tree), summary, code_page, nullptr, out);
}

void WriteDeletionText(const DeletionResults& deletion, bool dry_run, std::ostream& out) {
  if (dry_run) out << "Dry run: nothing was deleted and no backup written; --delete would do this.\n";
  out << (dry_run ? "Would delete: " : "Deleted: ") << deletion.deleted.size() << '\n';
  for (const DeletionOutcome& done : deletion.deleted) out << "    " << done.key << '\n';
  if (!deletion.refused.empty()) {
    out << (dry_run ? "Would refuse: " : "Refused: ") << deletion.refused.size() << '\n';
    for (const DeletionOutcome& refused : deletion.refused)
      out << "    " << refused.key << ": " << RefusalText(refused.refusal) << '\n';
  }
  if (!deletion.partly.empty()) {
    out << "Partly deleted (the rest changed while it was deleted and stays): " << deletion.partly.size() << '\n';
    for (const DeletionOutcome& partly : deletion.partly) out << "    " << partly.key << '\n';
  }
  if (!deletion.gone_before.empty()) {
    out << "Gone before they were deleted (not counted as deleted): " << deletion.gone_before.size() << '\n';
    for (const DeletionOutcome& gone : deletion.gone_before) out << "    " << gone.key << '\n';
  }
  if (!dry_run && !deletion.backup_file.empty()) out << "Backup file: " << deletion.backup_file << '\n';
}
