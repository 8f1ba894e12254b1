#include "platform/offline/log_replay.h"

#include <algorithm>
#include <map>

#include "platform/offline/hive_header.h"

namespace {

std::uint32_t RotateLeft(std::uint32_t value, int bits) { return value << bits | value >> (32 - bits); }

void MarvinBlock(std::uint32_t& p0, std::uint32_t& p1) {
  p1 ^= p0;
  p0 = RotateLeft(p0, 20);
  p0 += p1;
  p1 = RotateLeft(p1, 9);
  p1 ^= p0;
  p0 = RotateLeft(p0, 27);
  p0 += p1;
  p1 = RotateLeft(p1, 19);
}

std::uint64_t LittleEndian64(std::string_view bytes, std::size_t offset) {
  return LittleEndian32(bytes, offset) | static_cast<std::uint64_t>(LittleEndian32(bytes, offset + 4)) << 32;
}

void PutLittleEndian32(std::string& bytes, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>(value >> (8 * i));
}

constexpr std::size_t kEntryHeader = 40;
constexpr std::size_t kLogBaseBlock = 512;
constexpr std::uint32_t kNewLogType = 6;

struct Page {
  std::size_t offset;  // in the hive bins
  std::string_view bytes;
};

struct Entry {
  std::uint32_t sequence = 0;
  std::uint32_t bins_size = 0;
  std::vector<Page> pages;
};

// The entries of one log as far as they are sound, keyed by sequence number.
void ReadEntries(std::string_view log, std::map<std::uint32_t, Entry>& entries) {
  std::size_t at = kLogBaseBlock;
  while (at + kEntryHeader <= log.size() && log.substr(at, 4) == "HvLE") {
    const std::string_view rest = log.substr(at);
    const std::uint32_t size = LittleEndian32(rest, 4);
    if (size < kEntryHeader || size % 512 != 0 || size > rest.size()) return;
    const std::string_view entry_bytes = rest.substr(0, size);
    if (LittleEndian64(entry_bytes, 24) != Marvin32(entry_bytes.substr(kEntryHeader), kLogEntrySeed)) return;
    if (LittleEndian64(entry_bytes, 32) != Marvin32(entry_bytes.substr(0, 32), kLogEntrySeed)) return;
    Entry entry;
    entry.sequence = LittleEndian32(entry_bytes, 12);
    entry.bins_size = LittleEndian32(entry_bytes, 16);
    if (entry.bins_size == 0 || entry.bins_size % 4096 != 0) return;
    const std::uint32_t count = LittleEndian32(entry_bytes, 20);
    if (count > (size - kEntryHeader) / 8) return;
    std::size_t data = kEntryHeader + std::size_t{count} * 8;
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::uint32_t offset = LittleEndian32(entry_bytes, kEntryHeader + 8 * i);
      const std::uint32_t length = LittleEndian32(entry_bytes, kEntryHeader + 8 * i + 4);
      if (length > size - data || offset > entry.bins_size || length > entry.bins_size - offset) return;
      entry.pages.push_back({offset, entry_bytes.substr(data, length)});
      data += length;
    }
    entries.emplace(entry.sequence, std::move(entry));
    at += size;
  }
}

}  // namespace

std::uint64_t Marvin32(std::string_view bytes, std::uint64_t seed) {
  std::uint32_t p0 = static_cast<std::uint32_t>(seed);
  std::uint32_t p1 = static_cast<std::uint32_t>(seed >> 32);
  std::size_t at = 0;
  for (; at + 4 <= bytes.size(); at += 4) {
    p0 += LittleEndian32(bytes, at);
    MarvinBlock(p0, p1);
  }
  std::uint32_t last = 0x80;
  for (std::size_t i = bytes.size(); i > at; --i)
    last = last << 8 | static_cast<unsigned char>(bytes[i - 1]);
  p0 += last;
  MarvinBlock(p0, p1);
  MarvinBlock(p0, p1);
  return static_cast<std::uint64_t>(p1) << 32 | p0;
}

LogReplay ReplayLogs(std::string_view primary, const std::vector<std::string>& logs) {
  LogReplay replay;
  const HiveHeaderReading reading = ReadHiveHeader(primary);
  if (!reading.header || primary.size() < kHiveBaseBlockSize) {
    replay.refusal = "no hive to replay the logs into";
    return replay;
  }
  if (!reading.header->checksum_valid) {
    replay.refusal = "its base block is damaged (bad checksum)";
    return replay;
  }
  std::map<std::uint32_t, Entry> entries;
  bool old_format = false;
  for (const std::string& log : logs) {
    const HiveHeaderReading log_header = ReadHiveHeader(log);
    if (!log_header.header) continue;
    if (log_header.header->file_type != kNewLogType) {
      old_format = old_format || log_header.header->file_type == 1 || log_header.header->file_type == 2;
      continue;
    }
    ReadEntries(log, entries);
  }
  std::string hive(primary);
  // The first entry to apply is normally the one numbered as the last
  // clean write; a partial write of the primary file may have taken some.
  auto entry = entries.lower_bound(reading.header->secondary_sequence);
  std::uint32_t expected = entry == entries.end() ? 0 : entry->first;
  std::uint32_t bins_size = 0;
  for (; entry != entries.end() && entry->first == expected; ++entry) {
    // Each entry gives the size of the bins it leaves: they may grow.
    const std::size_t size = kHiveBaseBlockSize + entry->second.bins_size;
    if (hive.size() < size) hive.resize(size, '\0');
    for (const Page& page : entry->second.pages)
      std::copy(page.bytes.begin(), page.bytes.end(), hive.begin() + static_cast<std::ptrdiff_t>(kHiveBaseBlockSize + page.offset));
    bins_size = entry->second.bins_size;
    ++replay.entries;
    ++expected;
  }
  if (replay.entries == 0) {
    replay.refusal = old_format ? "its logs are in the format before Windows 8.1, which this program does not replay"
                                : "its logs hold no entry that follows its last clean write";
    return replay;
  }
  hive.resize(kHiveBaseBlockSize + bins_size);
  PutLittleEndian32(hive, 4, expected - 1);
  PutLittleEndian32(hive, 8, expected - 1);
  PutLittleEndian32(hive, 40, bins_size);
  PutLittleEndian32(hive, 508, BaseBlockChecksum(hive));
  replay.hive = std::move(hive);
  return replay;
}
