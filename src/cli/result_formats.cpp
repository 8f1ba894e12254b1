#include "cli/result_formats.h"

#include "regtext/key_paths.h"

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

void WriteJsonResults(const ResultTree& tree, const ScanSummary& summary, unsigned code_page, std::ostream& out) {
  out << "{\n  \"code_page\": " << code_page << ",\n  \"summary\": {\"entries\": " << summary.entries
      << ", \"problems\": " << summary.problems << ", \"stopped\": " << (summary.stopped ? "true" : "false")
      << "},\n  \"problems\": [";
  bool any = false;
  ForEachProblem(*tree.Top(), [&](const ResultNode& node) {
    const TErrorClass& record = *node.Data();
    out << (any ? ",\n" : "\n") << "    {\"path\": " << JsonString(NodeFullPath(node)) << ", \"message\": "
        << JsonString(record.FMessage) << ", \"level\": " << record.FLevel << ", \"values\": [";
    for (std::size_t i = 0; i < record.FValueNames.size(); ++i)
      out << (i ? ", " : "") << JsonString(record.FValueNames[i]);
    out << "]}";
    any = true;
  });
  out << (any ? "\n  ]\n}\n" : "]\n}\n");
}
