#include "platform/offline/hive_header.h"

std::uint32_t LittleEndian32(std::string_view bytes, std::size_t offset) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])); };
  return byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
}

std::uint32_t BaseBlockChecksum(std::string_view bytes) {
  std::uint32_t sum = 0;
  for (std::size_t offset = 0; offset < 508; offset += 4) sum ^= LittleEndian32(bytes, offset);
  if (sum == 0xFFFFFFFFu) return 0xFFFFFFFEu;
  if (sum == 0) return 1;
  return sum;
}

HiveHeaderReading ReadHiveHeader(std::string_view bytes) {
  HiveHeaderReading reading;
  if (bytes.size() < 512) {
    reading.error = "too short for a registry hive (" + std::to_string(bytes.size()) + " bytes)";
    return reading;
  }
  if (bytes.substr(0, 4) != "regf") {
    reading.error = "not a registry hive (no regf signature)";
    return reading;
  }
  HiveHeader header;
  header.primary_sequence = LittleEndian32(bytes, 4);
  header.secondary_sequence = LittleEndian32(bytes, 8);
  header.file_type = LittleEndian32(bytes, 28);
  header.root_cell = LittleEndian32(bytes, 36);
  header.bins_size = LittleEndian32(bytes, 40);
  header.checksum_valid = BaseBlockChecksum(bytes) == LittleEndian32(bytes, 508);
  reading.header = header;
  return reading;
}
