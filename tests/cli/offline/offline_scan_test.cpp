// The scan of a Windows installation from its volume: the demo registry
// stored as the machine's and a user's hives, the demo's files on the volume
// in letter cases of their own, gives the problems the demo gives on a
// running system.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/headless_scan.h"
#include "platform/fixed_clock.h"
#include "platform/memory_registry.h"
#include "platform/offline/hive_header.h"
#include "platform/offline/offline_files.h"
#include "platform/offline/offline_hives.h"
#include "regtext/regedit4_reader.h"
#include "platform/root_keys.h"
#include "support/no_mail.h"
#include "support/offline/hive_writer.h"
#include "support/offline/offline_fixtures.h"

namespace {

const std::string kSource = TARNEL_SOURCE_DIR;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// One line per problem, as the demo's expected list has them.
std::vector<std::string> Records(const std::string& listing) {
  const std::vector<std::string> lines = Lines(listing);
  std::vector<std::string> records;
  for (std::size_t i = 0; i + 1 < lines.size(); ++i)
    if (lines[i].rfind("HKEY_", 0) == 0 && lines[i + 1].rfind("    ", 0) == 0)
      records.push_back(lines[i] + "\t" + lines[i + 1].substr(lines[i + 1].find_first_not_of(' ')));
  return records;
}

class OfflineScanTest : public testing::Test {
 protected:
  void SetUp() override {
    MemoryRegistry demo;
    demo.MergeClassesRoot();
    ImportRegText(demo, FileBytes(kSource + "/data/demo/demo.reg"));
    WriteHive(volume_.Path() + "/Windows/System32/config/SOFTWARE", demo, kHkeyLocalMachine, "Software", utf8_);
    WriteHive(volume_.Path() + "/Users/demo/NTUSER.DAT", demo, kHkeyCurrentUser, "", utf8_);
    WriteHive(volume_.Path() + "/Users/demo/AppData/Local/Microsoft/Windows/UsrClass.dat", demo, kHkeyCurrentUser,
              "Software\\Classes", utf8_);
    for (const char* name : {"PRESENT.DLL", "present.EXE", "Present.tlb", "present.cpl", "README.TXT",
                             "tarneldemopresent.hlp", "TarnelDemoPresent.chm"})
      volume_.AddFile(std::string("tarneldemo/") + name, "Tarnel demo file\r\n");
    volume_.AddFile("tarneldemo/INSTALLED/setup.log", "");
    // What the running system the demo ran on has of its own.
    volume_.AddFile("Windows/System32/notepad.exe", "");
    volume_.AddFile("Windows/System32/rundll32.exe", "");
  }

  // The problems of the scan, and the exit code.
  std::pair<std::string, int> Scan(const std::optional<std::string>& user, const ScanOptions& options,
                                   std::vector<HiveReport>* hives = nullptr) {
    OfflineWindows windows(volume_.Path(), false, utf8_);
    OfflineFileSystem files(windows.Volume(), windows.WindowsFolder());
    std::vector<HiveReport> reports;
    std::unique_ptr<HiveRegistry> registry = windows.RegistryFor(user, reports);
    if (hives) *hives = reports;
    std::vector<ScannedHive> scanned;
    for (const HiveReport& r : reports)
      scanned.push_back({r.path, r.role, r.present, r.keys, r.values, r.dirty, r.log_entries_applied});
    FixedClock clock;
    NoMail mail;
    std::ostringstream out, err;
    HeadlessScan scan(HeadlessSystem{*registry, files, clock, mail, kUtf8CodePage, code_pages_, scanned}, out, err,
                      nullptr);
    ScanOptions with_rules = options;
    with_rules.knowledge_base = kSource + "/data/Knowbase.ini";
    const int code = scan.Run(with_rules);
    if (options.format == ResultFormat::kText) {
      EXPECT_EQ(err.str(), "");
    }
    return {out.str() + err.str(), code};
  }

  ScratchFolder volume_;
  Utf8CodePage utf8_;
  CodePages code_pages_{utf8_, utf8_};
};

TEST_F(OfflineScanTest, TheDemoInstallationGivesTheDemosProblems) {
  const auto [listing, code] = Scan("demo", {});
  EXPECT_EQ(code, kExitProblemsFound);
  EXPECT_EQ(Records(listing), Lines(FileBytes(kSource + "/data/demo/expected-problems.txt")));
  EXPECT_NE(listing.find("HKEY_CURRENT_USER\\Software\\Classes: " + volume_.Path() +
                         "/Users/demo/AppData/Local/Microsoft/Windows/UsrClass.dat ("),
            std::string::npos)
      << listing;
}

TEST_F(OfflineScanTest, ClassesOfTheUsersClassesHiveCountAsRegistered) {
  const std::string bho = "{7A4E1DE0-0000-4000-8000-000000000087}";
  MemoryRegistry user_classes;
  ImportRegText(user_classes, "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\CLSID\\" + bho +
                                  "\\InprocServer32]\r\n@=\"C:\\\\TarnelDemo\\\\present.dll\"\r\n");
  WriteHive(volume_.Path() + "/Users/demo/AppData/Local/Microsoft/Windows/UsrClass.dat", user_classes,
            kHkeyCurrentUser, "", utf8_);
  std::vector<std::string> expected = Lines(FileBytes(kSource + "/data/demo/expected-problems.txt"));
  std::erase_if(expected, [&](const std::string& record) { return record.find(bho) != std::string::npos; });
  ASSERT_EQ(expected.size(), 25u);
  EXPECT_EQ(Records(Scan("demo", {}).first), expected);
}

TEST_F(OfflineScanTest, ProfilesComeFromTheUsersFoldersAndAMissingHiveIsSaid) {
  volume_.AddFile("Users/Second/ntuser.dat", FileBytes(volume_.Path() + "/Users/demo/NTUSER.DAT"));
  volume_.AddFile("Users/NoHive/Desktop/x.txt", "");
  OfflineWindows windows(volume_.Path(), false, utf8_);
  std::vector<std::string> profiles = windows.Profiles();
  std::sort(profiles.begin(), profiles.end());
  EXPECT_EQ(profiles, (std::vector<std::string>{"Second", "demo"}));

  std::vector<HiveReport> hives;
  ScanOptions json;
  json.format = ResultFormat::kJson;
  const auto [listing, code] = Scan("Second", json, &hives);
  ASSERT_EQ(hives.size(), 3u);
  EXPECT_TRUE(hives[1].present);
  EXPECT_FALSE(hives[2].present);
  EXPECT_NE(listing.find("\"hives\": [\n    {\"path\": \"" + volume_.Path() + "/Windows/System32/config/SOFTWARE\", "
                         "\"role\": \"HKEY_LOCAL_MACHINE\\\\Software\", \"present\": true, \"keys\": "),
            std::string::npos)
      << listing;
  EXPECT_NE(listing.find("\"role\": \"HKEY_CURRENT_USER\\\\Software\\\\Classes\", \"present\": false, \"keys\": 0"),
            std::string::npos)
      << listing;
}

TEST_F(OfflineScanTest, ADirtyHiveStopsTheScanWithItsName) {
  const std::string ntuser = volume_.Path() + "/Users/demo/NTUSER.DAT";
  std::string bytes = FileBytes(ntuser);
  bytes[8] = static_cast<char>(bytes[8] + 1);
  const std::uint32_t sum = BaseBlockChecksum(bytes);
  for (int i = 0; i < 4; ++i) bytes[508 + i] = static_cast<char>(sum >> (8 * i));
  volume_.AddFile("Users/demo/NTUSER.DAT", bytes);
  OfflineWindows windows(volume_.Path(), false, utf8_);
  std::vector<HiveReport> hives;
  try {
    windows.RegistryFor("demo", hives);
    ADD_FAILURE() << "a dirty hive was read";
  } catch (const HiveError& error) {
    EXPECT_EQ(std::string(error.what()).rfind(ntuser + ": dirty", 0), 0u) << error.what();
  }
  OfflineWindows ignoring(volume_.Path(), true, utf8_);
  EXPECT_NE(ignoring.RegistryFor("demo", hives), nullptr);
  EXPECT_TRUE(hives[1].dirty);
}

}  // namespace
