#include "cli/scan_options.h"

const char* const kScanUsage =
    "Usage: TarnelScan [--knowbase FILE] [--save FILE] [--format text|tsv|json] [--no-ignore]\n"
    "                  [--delete [--backup FILE] | --dry-run]\n"
    "       TarnelScan --restore FILE|latest [--overwrite] [--force] [--allow-deletions]\n"
    "       TarnelScan --backups [--format text|tsv|json]\n"
    "       TarnelScan --ignore-list\n"
    "       TarnelScan [--knowbase FILE] --lint [FILE]\n"
    "       TarnelScan --offline ROOT [--user NAME] [--ignore-logs] [--knowbase FILE]\n"
    "                  [--save FILE] [--format text|tsv|json] [--no-ignore]   (Linux)\n"
    "\n"
    "Scans this machine's registry for stale entries with the rules of a\n"
    "knowledge base and lists every problem found, in tree order: the key's\n"
    "full path, then the message, the deletion level and the names of the bad\n"
    "values (\"(Default)\" for a key's unnamed value). Without --delete nothing\n"
    "is deleted. What the user chose to ignore in the window (the ignore list)\n"
    "and what the knowledge base excludes (section [EXCLUDE]) is never reported.\n"
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
    "                   and TypeLib. In [EXCLUDE]: errors for an unknown root\n"
    "                   name or an empty key pattern; warnings for a repeated\n"
    "                   exclusion and one that no rule reports or deletes.\n"
    "  --delete         after the scan, delete exactly what the window's Delete All\n"
    "                   deletes, with the same safety: everything is written to\n"
    "                   the backup file first, and a problem is refused (and\n"
    "                   stays) when its backup would be incomplete, its level\n"
    "                   reaches a root key, it would remove an ignored or\n"
    "                   excluded key or value, or the registry refuses it. Then\n"
    "                   lists what was deleted and what was refused, and why;\n"
    "                   json adds \"backup\", \"deleted\" and \"refused\"\n"
    "                   (each with \"path\" and \"reason\"). Right before each\n"
    "                   deletion the entries are read again: a problem whose\n"
    "                   entries changed since the backup read them is refused\n"
    "                   and stays. A stopped scan deletes nothing.\n"
    "  --backup FILE    with --delete: the backup file (default: named after the\n"
    "                   time the scan started, in the current folder, as the\n"
    "                   window names it); an existing FILE is never replaced:\n"
    "                   one that exists when the backup is written, nothing\n"
    "                   deleted, is exit status 2\n"
    "  --dry-run        with or without --delete: do all of --delete but the\n"
    "                   deleting: the same lists, no backup file written, the\n"
    "                   registry unchanged\n"
    "  --restore FILE   write a backup (any REGEDIT4 file) back into the registry\n"
    "                   exactly as the window's \"Restore backup..\" does, and\n"
    "                   report it: what is missing now is written; a value that\n"
    "                   is there with the same data is left (already there); one\n"
    "                   there with other data changed since the deletion and is\n"
    "                   kept as it is, and listed. A malformed file writes nothing\n"
    "                   and names its line, and so does a file that writes values\n"
    "                   into a root key itself, or a file Tarnel wrote that was\n"
    "                   cut short; a device name (CON, COM1, \\\\.\\...) is never\n"
    "                   opened\n"
    "  --overwrite      with --restore: write the backup's data over values that\n"
    "                   changed since the deletion too\n"
    "  --force          with --restore: restore a recorded backup whose file\n"
    "                   changed since it was made (another size or SHA-256)\n"
    "  --allow-deletions with --restore: carry out the file's deletion lines\n"
    "                   ([-key], \"name\"=-) too; without it such a file writes\n"
    "                   nothing and names its first deletion line\n"
    "  --restore latest restore the newest backup of --backups, recorded or not;\n"
    "                   a file of that name is given as .\\latest\n"
    "  --backups        list the backup history, newest first: every backup file\n"
    "                   a deletion wrote (here or in the window), when, by which\n"
    "                   command, the problems it deleted, refused and partly\n"
    "                   deleted, its keys, values and size, and whether the file\n"
    "                   is intact (the size and SHA-256 it was written with),\n"
    "                   changed since it was made, cut short, without end line,\n"
    "                   gone or not a backup file (a device, a folder); then the\n"
    "                   backup files of the current folder the history lacks (a\n"
    "                   run that was stopped before it recorded its file), \"(not\n"
    "                   in the history)\"; --format tsv gives a header line and\n"
    "                   one line per backup (time, made_by, problems, refused,\n"
    "                   partly, keys, values, size, state, file), json one object\n"
    "                   with \"backups\" (the same fields)\n"
    "  --ignore-list    list the user's ignore list: each key, or value of a key,\n"
    "                   and when it was added\n"
    "  --no-ignore      scan (and delete) without the ignore list; the knowledge\n"
    "                   base's exclusions still hold\n"
    "  --offline ROOT   (the Linux program) scan the Windows installation whose\n"
    "                   volume is mounted at ROOT, or a folder laid out as one,\n"
    "                   read-only: its SOFTWARE hive as HKEY_LOCAL_MACHINE\\Software,\n"
    "                   a user's NTUSER.DAT as HKEY_CURRENT_USER and UsrClass.dat\n"
    "                   as HKEY_CURRENT_USER\\Software\\Classes (merged into\n"
    "                   HKEY_CLASSES_ROOT as Windows merges them); files are\n"
    "                   looked for on ROOT, letter case ignored; other drives\n"
    "                   and shares cannot be judged. Problems carry the names\n"
    "                   of the live registry. A hive not there is listed and\n"
    "                   its rules find nothing; a damaged hive, or a dirty one\n"
    "                   (changes only in its .LOG1/.LOG2), stops the scan with\n"
    "                   its name. --delete, --dry-run and --restore are refused.\n"
    "  --user NAME      with --offline: the profile Users\\NAME only (default:\n"
    "                   each profile in turn)\n"
    "  --ignore-logs    with --offline: read a dirty hive as it was last written\n"
    "                   cleanly, without the changes its logs hold\n"
    "  --help           show this text\n"
    "\n"
    "While it runs on a console, the scan shows the current rule and its count\n"
    "on standard error. Ctrl+C stops the scan cleanly: what was found so far is\n"
    "listed, marked as the result of a stopped scan.\n"
    "\n"
    "Exit status: 0 nothing found; 1 problems found (with --delete: and all of\n"
    "them deleted); 4 with --delete: some deletions refused; 2 usage error,\n"
    "unreadable knowledge base, a results or backup file not written (then\n"
    "nothing is deleted); 3 the scan was stopped.\n"
    "With --delete, a problem partly deleted (it changed while it was deleted)\n"
    "counts as refused; one gone before it was deleted (another program or\n"
    "run deleted it) is listed apart and counts as neither.\n"
    "With --restore: 0 all written; 4 some values kept (changed since the\n"
    "deletion) or some keys or values not written; 2 an unreadable or\n"
    "malformed file, or a recorded backup changed since it was made (nothing\n"
    "written).\n"
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
    } else if (arg == "--offline" || arg == "--user") {
      if (!has_value) {
        parsed.error = arg + (arg == "--user" ? " needs a profile name" : " needs the volume's folder");
        return parsed;
      }
      (arg == "--user" ? options.user : options.offline_root) = args[++i];
    } else if (arg == "--ignore-logs") {
      options.ignore_logs = true;
    } else if (arg == "--knowbase" || arg == "--save" || arg == "--backup" || arg == "--restore") {
      if (!has_value) {
        parsed.error = arg + " needs a file name";
        return parsed;
      }
      std::optional<std::string>& file = arg == "--knowbase" ? options.knowledge_base
                                         : arg == "--save"   ? options.save_file
                                         : arg == "--backup" ? options.backup_file
                                                             : options.restore_file;
      file = args[++i];
    } else if (arg == "--delete") {
      options.remove = true;
    } else if (arg == "--dry-run") {
      options.dry_run = true;
    } else if (arg == "--allow-deletions") {
      options.allow_deletions = true;
    } else if (arg == "--overwrite") {
      options.overwrite = true;
    } else if (arg == "--force") {
      options.force = true;
    } else if (arg == "--backups") {
      options.list_backups = true;
    } else if (arg == "--ignore-list") {
      options.list_ignored = true;
    } else if (arg == "--no-ignore") {
      options.no_ignore = true;
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
  const bool scan_options = options.save_file || options.format != ResultFormat::kText || options.remove ||
                            options.dry_run || options.backup_file || options.no_ignore;
  const bool other_than_format = options.save_file || options.remove || options.dry_run || options.backup_file ||
                                 options.no_ignore || options.knowledge_base || options.lint ||
                                 options.restore_file || options.list_ignored;
  if (options.list_backups && other_than_format)
    parsed.error = "--backups does not scan: only --format goes with it";
  else if (options.lint && (scan_options || options.restore_file || options.list_ignored))
    parsed.error = "--lint does not scan: no other option but --knowbase goes with it";
  else if (options.restore_file && (scan_options || options.list_ignored || options.knowledge_base))
    parsed.error = "--restore does not scan: no other option goes with it";
  else if (options.list_ignored && (scan_options || options.knowledge_base))
    parsed.error = "--ignore-list does not scan: no other option goes with it";
  else if ((options.allow_deletions || options.overwrite || options.force) && !options.restore_file)
    parsed.error = std::string(options.allow_deletions ? "--allow-deletions" : options.overwrite ? "--overwrite" : "--force") +
                   " goes with --restore";
  else if (options.backup_file && !options.remove && !options.dry_run)
    parsed.error = "--backup goes with --delete";
  else if ((options.user || options.ignore_logs) && !options.offline_root)
    parsed.error = std::string(options.user ? "--user" : "--ignore-logs") + " goes with --offline";
  else if (options.offline_root && (options.remove || options.dry_run || options.restore_file))
    parsed.error = "an offline installation is only read: --delete, --dry-run and --restore do not go with --offline";
  return parsed;
}
