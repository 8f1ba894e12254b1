#pragma once
// The base block of a registry hive file (its first 4096 bytes): what tells
// a hive from any other file and a cleanly written hive from a dirty one.
// The bytes come from an untrusted file: every field is read within them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline constexpr std::size_t kHiveBaseBlockSize = 4096;

struct HiveHeader {
  std::uint32_t primary_sequence = 0;
  std::uint32_t secondary_sequence = 0;
  std::uint32_t file_type = 0;        // 0 a hive; 1, 2 or 6 a transaction log
  std::uint32_t root_cell = 0;        // offset from the start of the bins
  std::uint32_t bins_size = 0;        // bytes of hive bins after the base block
  bool checksum_valid = false;
  // A write began that the primary file does not hold in full: the changes
  // lie in the transaction logs.
  bool Dirty() const { return primary_sequence != secondary_sequence; }
};

struct HiveHeaderReading {
  std::optional<HiveHeader> header;
  std::string error;  // why the bytes are no hive header, when they are not
};

// The header of a hive or log file given its first bytes (at least 512).
HiveHeaderReading ReadHiveHeader(std::string_view bytes);

// The little-endian 32-bit number at that offset; the caller checks bounds.
std::uint32_t LittleEndian32(std::string_view bytes, std::size_t offset);
// The base block's checksum: the XOR of its first 127 32-bit words, with
// the two values the format reserves replaced.
std::uint32_t BaseBlockChecksum(std::string_view bytes);
