#include "cli/scan_options.h"

const char* const kScanUsage =
    "Usage: TarnelScan [--knowbase FILE] [--save FILE]\n"
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
    "  --help           show this text\n"
    "\n"
    "While it runs on a console, the scan shows the current rule and its count\n"
    "on standard error. Ctrl+C stops the scan cleanly: what was found so far is\n"
    "listed, marked as the result of a stopped scan.\n"
    "\n"
    "Exit status: 0 nothing found; 1 problems found; 2 usage error, unreadable\n"
    "knowledge base or results file not written; 3 the scan was stopped.\n";

ParsedScanOptions ParseScanOptions(const std::vector<std::string>& args) {
  ParsedScanOptions parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h" || arg == "/?") {
      parsed.options.help = true;
    } else if (arg == "--knowbase" || arg == "--save") {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        parsed.error = arg + " needs a file name";
        return parsed;
      }
      (arg == "--knowbase" ? parsed.options.knowledge_base : parsed.options.save_file) = args[++i];
    } else {
      parsed.error = "unknown argument: " + arg;
      return parsed;
    }
  }
  return parsed;
}
