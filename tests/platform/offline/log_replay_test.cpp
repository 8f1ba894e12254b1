// Transaction logs replayed into a copy of a dirty hive: what the logs hold
// is what the scan reads, and a log that is damaged anywhere is not
// trusted from that entry on.
#include <gtest/gtest.h>

#include "platform/memory_registry.h"
#include "platform/offline/hive_file.h"
#include "platform/offline/hive_header.h"
#include "platform/offline/hive_registry.h"
#include "platform/offline/log_replay.h"
#include "regtext/regedit4_reader.h"
#include "platform/root_keys.h"
#include "support/offline/hive_writer.h"
#include "support/offline/offline_fixtures.h"

namespace {

void Put32(std::string& bytes, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>(value >> (8 * i));
}
void Put64(std::string& bytes, std::size_t offset, std::uint64_t value) {
  Put32(bytes, offset, static_cast<std::uint32_t>(value));
  Put32(bytes, offset + 4, static_cast<std::uint32_t>(value >> 32));
}

std::string HiveBytes(const ScratchFolder& folder, const std::string& name, const std::string& text) {
  MemoryRegistry source;
  ImportRegText(source, "REGEDIT4\r\n\r\n" + text);
  const std::string file = folder.Path() + "/" + name;
  WriteHive(file, source, kHkeyCurrentUser, "", Utf8CodePage());
  return FileBytes(file);
}

void SetSequences(std::string& block, std::uint32_t primary, std::uint32_t secondary) {
  Put32(block, 4, primary);
  Put32(block, 8, secondary);
  Put32(block, 508, BaseBlockChecksum(block));
}

// A log entry of the given pages, padded to whole sectors, hashed as
// Windows hashes it.
std::string LogEntry(std::uint32_t sequence, std::uint32_t bins_size,
                     const std::vector<std::pair<std::uint32_t, std::string>>& pages) {
  std::string entry(40, '\0');
  entry.replace(0, 4, "HvLE");
  for (const auto& [offset, bytes] : pages) {
    std::string reference(8, '\0');
    Put32(reference, 0, offset);
    Put32(reference, 4, static_cast<std::uint32_t>(bytes.size()));
    entry += reference;
  }
  for (const auto& page : pages) entry += page.second;
  entry.resize((entry.size() + 511) / 512 * 512, '\0');
  Put32(entry, 4, static_cast<std::uint32_t>(entry.size()));
  Put32(entry, 12, sequence);
  Put32(entry, 16, bins_size);
  Put32(entry, 20, static_cast<std::uint32_t>(pages.size()));
  Put64(entry, 24, Marvin32(std::string_view(entry).substr(40), kLogEntrySeed));
  Put64(entry, 32, Marvin32(std::string_view(entry).substr(0, 32), kLogEntrySeed));
  return entry;
}

class LogReplayTest : public testing::Test {
 protected:
  void SetUp() override {
    before_ = HiveBytes(folder_, "before", "[HKEY_CURRENT_USER\\Kept]\r\n\"v\"=\"old\"\r\n");
    after_ = HiveBytes(folder_, "after",
                       "[HKEY_CURRENT_USER\\Kept]\r\n\"v\"=\"new\"\r\n[HKEY_CURRENT_USER\\Added\\Deeper]\r\n"
                       "\"w\"=dword:00000007\r\n");
    primary_ = before_;
    SetSequences(primary_, 5, 4);
    log_ = before_.substr(0, 512);
    Put32(log_, 28, 6);
    SetSequences(log_, 5, 5);
    after_bins_ = after_.substr(4096);
  }

  // The replayed hive's keys under the root, and the value of Kept.
  std::string Read(const std::string& hive_bytes) {
    const std::string file = folder_.AddFile("replayed", hive_bytes);
    const Utf8CodePage utf8;
    HiveRegistry registry(utf8);
    registry.Mount(kHkeyCurrentUser, "", std::make_shared<const Hive>(file));
    std::string seen;
    for (const std::string& name : registry.OpenRead(kHkeyCurrentUser, "")->SubkeyNames()) seen += name + " ";
    const std::optional<RegValue> v = registry.OpenRead(kHkeyCurrentUser, "Kept")->QueryValue("v");
    seen += std::string(v->data.begin(), v->data.end() - 1);
    const std::unique_ptr<RegKey> deeper = registry.OpenRead(kHkeyCurrentUser, "Added\\Deeper");
    if (deeper) seen += " w=" + std::to_string(deeper->QueryValue("w")->data[0]);
    return seen;
  }

  ScratchFolder folder_;
  std::string before_, after_, after_bins_, primary_, log_;
};

TEST_F(LogReplayTest, TheEntriesAfterTheLastCleanWriteAreApplied) {
  ASSERT_EQ(Read(primary_), "Kept old");
  const std::uint32_t bins = static_cast<std::uint32_t>(after_bins_.size());
  // An entry already applied (3), then the two that follow (4, 5), split
  // over both logs; 7 comes after a gap and is not applied.
  const std::string log1 = log_ + LogEntry(3, bins, {{0, std::string(bins, 'x')}}) +
                           LogEntry(4, bins, {{0, after_bins_.substr(0, 4096)}});
  const std::string log2 = log_ + LogEntry(5, bins, {{4096, after_bins_.substr(4096)}}) +
                           LogEntry(7, bins, {{0, std::string(4096, 'y')}});
  const LogReplay replay = ReplayLogs(primary_, {log1, log2});
  EXPECT_EQ(replay.entries, 2u) << replay.refusal;
  const HiveHeader header = *ReadHiveHeader(replay.hive).header;
  EXPECT_FALSE(header.Dirty());
  EXPECT_TRUE(header.checksum_valid);
  EXPECT_EQ(header.primary_sequence, 5u);
  EXPECT_EQ(Read(replay.hive), "Added Kept new w=7");
}

TEST_F(LogReplayTest, ADamagedEntryEndsTheReplay) {
  const std::uint32_t bins = static_cast<std::uint32_t>(after_bins_.size());
  std::string bad_hash = LogEntry(4, bins, {{0, after_bins_}});
  bad_hash[600] ^= 1;
  std::string beyond = LogEntry(4, bins, {{bins - 4096, after_bins_}});
  std::string short_size = LogEntry(4, bins, {{0, after_bins_}});
  Put32(short_size, 4, 30);
  const std::string cut = LogEntry(4, bins, {{0, after_bins_}}).substr(0, 1024);
  std::string too_many_pages = LogEntry(4, bins, {{0, after_bins_}});
  Put32(too_many_pages, 20, 0xFFFFFFF0u);
  Put64(too_many_pages, 32, Marvin32(std::string_view(too_many_pages).substr(0, 32), kLogEntrySeed));
  for (const std::string& entry : {bad_hash, beyond, short_size, cut, too_many_pages}) {
    const LogReplay replay = ReplayLogs(primary_, {log_ + entry, ""});
    EXPECT_EQ(replay.entries, 0u);
    EXPECT_EQ(replay.refusal, "its logs hold no entry that follows its last clean write");
  }
  std::string old_log = log_;
  Put32(old_log, 28, 1);
  EXPECT_NE(ReplayLogs(primary_, {old_log, ""}).refusal.find("before Windows 8.1"), std::string::npos);
  std::string bad_checksum = primary_;
  bad_checksum[508] ^= 1;
  EXPECT_EQ(ReplayLogs(bad_checksum, {log_ + LogEntry(4, bins, {{0, after_bins_}}), ""}).refusal,
            "its base block is damaged (bad checksum)");
}

TEST_F(LogReplayTest, ADirtyHiveBesideItsLogsOpensReplayedAndTheFilesStayAsTheyWere) {
  const std::string hive = folder_.AddFile("user/NTUSER.DAT", primary_);
  const std::string log = log_ + LogEntry(4, static_cast<std::uint32_t>(after_bins_.size()), {{0, after_bins_}});
  folder_.AddFile("user/ntuser.dat.log1", log);
  HiveReport report;
  report.path = hive;
  const std::shared_ptr<const Hive> replayed = OpenHiveFile(report, false);
  EXPECT_TRUE(report.dirty);
  EXPECT_EQ(report.log_entries_applied, 1u);
  EXPECT_EQ(report.keys, 4u);
  EXPECT_EQ(FileBytes(hive), primary_);
  EXPECT_EQ(FileBytes(folder_.Path() + "/user/ntuser.dat.log1"), log);
}

}  // namespace
