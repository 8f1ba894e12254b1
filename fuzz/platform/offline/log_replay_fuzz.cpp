// Transaction log replay on any bytes. Input: a dirty hive's base block and
// bins (the first 8192 bytes, padded), then one log. The replayed hive, when
// any entry applied, is clean, with a valid checksum and exactly its bins.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/offline/hive_header.h"
#include "platform/offline/log_replay.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::string primary = input.substr(0, 8192);
  primary.resize(8192, '\0');
  primary.replace(0, 4, "regf");
  // Dirty, with a checksum that holds, so that the logs are read.
  primary[4] = static_cast<char>(primary[8] + 1);
  const std::uint32_t sum = BaseBlockChecksum(primary);
  for (int i = 0; i < 4; ++i) primary[508 + i] = static_cast<char>(sum >> (8 * i));
  const std::string log = size > 8192 ? input.substr(8192) : "";
  const LogReplay replay = ReplayLogs(primary, {log, log});
  if (replay.entries == 0) return replay.refusal.empty() ? (std::abort(), 0) : 0;
  const HiveHeaderReading header = ReadHiveHeader(replay.hive);
  if (!header.header || header.header->Dirty() || !header.header->checksum_valid ||
      replay.hive.size() != kHiveBaseBlockSize + header.header->bins_size)
    std::abort();
  return 0;
}
