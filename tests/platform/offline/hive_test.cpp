// Hive files as they come from real machines and as attackers make them:
// read exactly, never written, refused with the file's name when unusable.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <iostream>

#include "platform/memory_registry.h"
#include "platform/offline/hive_file.h"
#include "platform/offline/hive_header.h"
#include "platform/offline/hive_registry.h"
#include "platform/root_keys.h"
#include "support/offline/hive_writer.h"
#include "support/offline/offline_fixtures.h"

namespace {

#define REQUIRE_HIVE(path) \
  if ((path).empty()) GTEST_SKIP() << "the real test hives are not in " TARNEL_TEST_HIVES

struct timespec ModifiedAt(const std::string& path) {
  struct stat info {};
  stat(path.c_str(), &info);
  return info.st_mtim;
}

HiveReport ReportFor(const std::string& path) {
  HiveReport report;
  report.path = path;
  return report;
}

std::string ErrorOpening(const std::string& path, bool ignore_logs = false) {
  HiveReport report = ReportFor(path);
  try {
    OpenHiveFile(report, ignore_logs);
  } catch (const HiveError& error) {
    return error.what();
  }
  return "";
}

TEST(HiveFile, AUserHiveIsReadWholeAndLeftUntouched) {
  ScratchFolder folder;
  const std::string path = RealHive(folder, "NTUSER.DAT");
  REQUIRE_HIVE(path);
  chmod(path.c_str(), 0444);
  const std::string before = FileBytes(path);
  const struct timespec modified = ModifiedAt(path);

  HiveReport report = ReportFor(path);
  const std::shared_ptr<const Hive> hive = OpenHiveFile(report, false);
  EXPECT_FALSE(report.dirty);
  EXPECT_GT(report.keys, 1000u);
  EXPECT_GT(report.values, 1000u);
  const Utf8CodePage utf8;
  HiveRegistry registry(utf8);
  registry.Mount(kHkeyCurrentUser, "", hive);
  // Every key and value read, as a scan of everything would.
  std::size_t keys = 0, values = 0;
  std::vector<std::string> pending{""};
  while (!pending.empty()) {
    const std::string path_below = pending.back();
    pending.pop_back();
    const std::unique_ptr<RegKey> key = registry.OpenRead(kHkeyCurrentUser, path_below);
    ASSERT_NE(key, nullptr) << path_below;
    ++keys;
    for (const std::string& name : key->ValueNames()) values += key->QueryValue(name).has_value();
    for (const std::string& name : key->SubkeyNames()) pending.push_back(path_below.empty() ? name : path_below + "\\" + name);
    keys += key->UnreadableSubkeyNames().size();
  }
  EXPECT_EQ(keys, report.keys);
  EXPECT_LE(values, report.values);
  EXPECT_GT(values, report.values * 99 / 100);

  EXPECT_EQ(FileBytes(path), before);
  const struct timespec after = ModifiedAt(path);
  EXPECT_EQ(after.tv_sec, modified.tv_sec);
  EXPECT_EQ(after.tv_nsec, modified.tv_nsec);
}

TEST(HiveFile, DirtyHivesAreReadWithTheirLogsOrRefusedWithoutThem) {
  ScratchFolder folder;
  for (const std::string name : {"UsrClass.dat", "SYSTEM_B"}) {
    const std::string path = RealHive(folder, name);
    REQUIRE_HIVE(path);
    const std::string error = ErrorOpening(path);
    EXPECT_EQ(error.rfind(path + ": dirty", 0), 0u) << error;
    HiveReport as_written = ReportFor(path);
    EXPECT_NE(OpenHiveFile(as_written, true), nullptr);
    EXPECT_TRUE(as_written.dirty);
    EXPECT_EQ(as_written.log_entries_applied, 0u);

    RealHive(folder, name + ".LOG1");
    RealHive(folder, name + ".LOG2");
    const std::string before = FileBytes(path);
    HiveReport replayed = ReportFor(path);
    EXPECT_NE(OpenHiveFile(replayed, false), nullptr);
    EXPECT_TRUE(replayed.dirty);
    EXPECT_GT(replayed.log_entries_applied, 0u);
    EXPECT_GT(replayed.keys, as_written.keys) << name;
    EXPECT_EQ(FileBytes(path), before);
    std::cout << name << ": " << as_written.keys << " keys, " << as_written.values << " values as written; "
              << replayed.keys << " keys, " << replayed.values << " values after " << replayed.log_entries_applied
              << " log entries\n";
  }
}

TEST(HiveFile, DamagedTruncatedAndForeignFilesGiveAnErrorNamingThem) {
  ScratchFolder folder;
  const std::string damaged = RealHive(folder, "corrupted_system_hive");
  const std::string user = RealHive(folder, "NTUSER.DAT");
  REQUIRE_HIVE(damaged);
  const std::string bytes = FileBytes(user);
  std::vector<std::string> bad = {
      damaged,
      folder.AddFile("empty", ""),
      folder.AddFile("text", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n"),
      folder.AddFile("base block only", bytes.substr(0, 4096)),
      folder.AddFile("cut", bytes.substr(0, bytes.size() / 2)),
      folder.AddFile("missing root", bytes.substr(0, 36) + std::string(4, '\xFF') + bytes.substr(40)),
      folder.AddFile("bins garbled", bytes.substr(0, 4096) + std::string(bytes.size() - 4096, '\xA5')),
  };
  for (const std::string& path : bad) {
    const std::string error = ErrorOpening(path, true);
    EXPECT_EQ(error.rfind(path + ": ", 0), 0u) << path << " gave: " << error;
  }
}

TEST(HiveHeader, TellsDirtyFromCleanAndHivesFromLogs) {
  std::string block(4096, '\0');
  block.replace(0, 4, "regf");
  block[4] = 7;
  block[8] = 7;
  block[28] = 0;
  HiveHeaderReading reading = ReadHiveHeader(block);
  ASSERT_TRUE(reading.header);
  EXPECT_FALSE(reading.header->Dirty());
  block[8] = 6;
  EXPECT_TRUE(ReadHiveHeader(block).header->Dirty());
  EXPECT_FALSE(ReadHiveHeader(block.substr(0, 511)).header);
  EXPECT_FALSE(ReadHiveHeader("rEgf" + block.substr(4)).header);
  // The checksum covers the first 508 bytes.
  const std::uint32_t sum = BaseBlockChecksum(block);
  for (int i = 0; i < 4; ++i) block[508 + i] = static_cast<char>(sum >> (8 * i));
  EXPECT_TRUE(ReadHiveHeader(block).header->checksum_valid);
  block[100] = 1;
  EXPECT_FALSE(ReadHiveHeader(block).header->checksum_valid);
}

}  // namespace
