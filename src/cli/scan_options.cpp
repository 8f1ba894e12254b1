#include "cli/scan_options.h"

const char* const kScanUsage =
    "Usage: TarnelScan [--knowbase FILE] [--save FILE] [--format text|tsv|json]\n"
    "       TarnelScan [--knowbase FILE] --lint [FILE]\n"
    "\n"
    "Scans this machine's registry for stale entries with the rules of a\n"
    "knowledge base and lists every problem found, in tree order: the key's\n"
    "full path, then the message, the deletion level and the names of the bad\n"
    "values (\"(Default)\" for a key's unnamed value). Nothing is deleted.\n"
    "\n"
    "  --knowbase FILE  read the rules from FILE (section [PATHS1]) instead of\n"
    "                   Knowbase.ini beside the program\n"
    "  --save FILE      also write the problems to FILE as a REGEDIT4 results\n"
    "                   file, exactly as the window's \"Save as..\" does\n"
    "  --format FORMAT  how the problems are listed on standard output:\n"
    "                   text  as above (the default);\n"
    "                   tsv   a header line, then one line per problem with the\n"
    "                         tab-separated fields path, message, level and\n"
    "                         values (the bad value names joined by \"|\"); in a\n"
    "                         field \\\\, \\t, \\n, \\r and \\x7c stand for a\n"
    "                         backslash, tab, line feed, carriage return and \"|\";\n"
    "                   json  one object: \"code_page\", \"summary\" (\"entries\",\n"
    "                         \"problems\", \"stopped\") and \"problems\" (each with\n"
    "                         \"path\", \"message\", \"level\", \"values\"); a byte above\n"
    "                         127 is written \\u00XX, the byte as a code point:\n"
    "                         decode the strings with the code page given.\n"
    "                   With tsv and json standard output holds only the data;\n"
    "                   the other notes go to standard error.\n"
    "  --lint [FILE]    do not scan: check the knowledge base FILE (default: the\n"
    "                   one the scan reads), read exactly as the scan reads it,\n"
    "                   and list each finding as FILE:LINE: error|warning: text.\n"
    "                   Errors: no section [PATHS1]; an entry the scan skips (a\n"
    "                   value with fewer than two commas, a name without a\n"
    "                   backslash, with an unknown root name or cut by the\n"
    "                   16384-byte name list); an unknown check name; FILE_ or\n"
    "                   CLSID_ without the value name as parameter. Warnings: a\n"
    "                   level that reaches a root key; a level text that reads\n"
    "                   as 0 (x, \"1 \", out of range); a repeated entry name; a\n"
    "                   wildcard that takes the class tables CLSID, Interface\n"
    "                   and TypeLib.\n"
    "  --help           show this text\n"
    "\n"
    "While it runs on a console, the scan shows the current rule and its count\n"
    "on standard error. Ctrl+C stops the scan cleanly: what was found so far is\n"
    "listed, marked as the result of a stopped scan.\n"
    "\n"
    "Exit status: 0 nothing found; 1 problems found; 2 usage error, unreadable\n"
    "knowledge base or results file not written; 3 the scan was stopped.\n"
    "With --lint: 0 clean; 1 warnings only; 2 errors or an unreadable file.\n";

namespace {

// A value of its own after --lint, not the next option.
bool IsOperand(const std::string& arg) { return !arg.empty() && arg[0] != '-' && arg != "/?"; }

}  // namespace

ParsedScanOptions ParseScanOptions(const std::vector<std::string>& args) {
  ParsedScanOptions parsed;
  ScanOptions& options = parsed.options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool has_value = i + 1 < args.size() && !args[i + 1].empty();
    if (arg == "--help" || arg == "-h" || arg == "/?") {
      options.help = true;
    } else if (arg == "--knowbase" || arg == "--save") {
      if (!has_value) {
        parsed.error = arg + " needs a file name";
        return parsed;
      }
      (arg == "--knowbase" ? options.knowledge_base : options.save_file) = args[++i];
    } else if (arg == "--format") {
      const std::optional<ResultFormat> format = has_value ? ResultFormatNamed(args[i + 1]) : std::nullopt;
      if (!format) {
        parsed.error = "--format takes text, tsv or json";
        return parsed;
      }
      options.format = *format;
      ++i;
    } else if (arg == "--lint") {
      options.lint = true;
      if (i + 1 < args.size() && IsOperand(args[i + 1])) options.lint_file = args[++i];
    } else {
      parsed.error = "unknown argument: " + arg;
      return parsed;
    }
  }
  if (options.lint && (options.save_file || options.format != ResultFormat::kText))
    parsed.error = "--lint does not scan: --save and --format do not go with it";
  return parsed;
}
