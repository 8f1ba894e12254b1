// The headless scanner on Linux: the scan of a Windows installation's
// registry from its hives, read-only (TarnelScan --offline ROOT).
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <iostream>
#include <string>
#include <vector>

#include "cli/headless_scan.h"
#include "platform/offline/offline_files.h"
#include "platform/offline/offline_hives.h"

namespace {

class SystemClock : public Clock {
 public:
  LocalTime Now() override {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
  }
};

// There is no mail program to hand results to.
class NoMailProgram : public MailSender {
 public:
  MailResult SendFile(const std::string&) override { return MailResult::kNoMailProgram; }
};

std::vector<ScannedHive> Scanned(const std::vector<HiveReport>& reports) {
  std::vector<ScannedHive> hives;
  for (const HiveReport& r : reports)
    hives.push_back({r.path, r.role, r.present, r.keys, r.values, r.dirty, r.log_entries_applied});
  return hives;
}

// Beside the program, or where `cmake --install` puts it.
std::string DefaultKnowledgeBase(FileSystem& files) {
  const std::string beside = files.ExeFolder() + "Knowbase.ini";
  if (files.FileExists(beside)) return beside;
  return files.ExeFolder() + "../share/tarnel/Knowbase.ini";
}

}  // namespace

int main(int argc, char** argv) {
  const ParsedScanOptions parsed = ParseScanOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.error.empty()) {
    std::cerr << kScanProgram << parsed.error << " (see --help)\n";
    return kExitUsage;
  }
  ScanOptions options = parsed.options;
  if (options.help) {
    std::cout << kScanUsage;
    return kExitClean;
  }
  if (!options.offline_root && !options.lint) {
    std::cerr << kScanProgram << "on Linux the registry to scan is an offline installation's: --offline ROOT\n";
    return kExitUsage;
  }
  static const Utf8CodePage utf8;
  static const CodePages code_pages{utf8, utf8};
  try {
    OfflineWindows windows(options.offline_root.value_or("/nonexistent"), options.ignore_logs, utf8);
    OfflineFileSystem files(windows.Volume(), windows.WindowsFolder());
    if (!options.knowledge_base) options.knowledge_base = DefaultKnowledgeBase(files);
    std::vector<std::optional<std::string>> users;
    if (options.user)
      users.push_back(options.user);
    else
      for (const std::string& profile : windows.Profiles()) users.push_back(profile);
    if (users.empty()) users.push_back(std::nullopt);  // the machine's hive only

    SystemClock clock;
    NoMailProgram mail;
    int code = kExitClean;
    for (const std::optional<std::string>& user : users) {
      std::vector<HiveReport> reports;
      std::unique_ptr<HiveRegistry> registry = windows.RegistryFor(user, reports);
      if (users.size() > 1) (options.format == ResultFormat::kText ? std::cout : std::cerr) << "Profile " << *user << ":\n";
      HeadlessScan scan(HeadlessSystem{*registry, files, clock, mail, kUtf8CodePage, code_pages, Scanned(reports)},
                        std::cout, std::cerr, isatty(STDERR_FILENO) ? &std::cerr : nullptr);
      code = std::max(code, scan.Run(options));
      if (options.lint) break;
    }
    return code;
  } catch (const HiveError& error) {
    std::cerr << kScanProgram << error.what() << "; nothing scanned\n";
    return kExitUsage;
  }
}
