#pragma once
// Replaying a dirty hive's transaction logs (the format Windows writes since
// 8.1: a base block, then "HvLE" log entries of dirty pages) into a copy of
// the hive in memory; the files are only read. Logs are untrusted input:
// every entry is checked (signature, size, both hashes, every page inside
// the entry and inside the hive) and replay stops at the first bad one, as
// Windows stops.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The Marvin32 hash the log entries carry, with the seed they use.
std::uint64_t Marvin32(std::string_view bytes, std::uint64_t seed);
inline constexpr std::uint64_t kLogEntrySeed = 0x82EF4D887A4E55C5ull;

struct LogReplay {
  std::string hive;            // the hive with the entries applied (when any was)
  std::size_t entries = 0;     // log entries applied
  std::string refusal;         // why nothing could be applied, when nothing was
};

// primary: the dirty hive's bytes; logs: the bytes of .LOG1 and .LOG2 (an
// empty string for a log that is not there). The entries that follow the
// primary file's last clean write are applied in sequence order across
// both logs.
LogReplay ReplayLogs(std::string_view primary, const std::vector<std::string>& logs);
