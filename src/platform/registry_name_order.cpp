#include "platform/registry_name_order.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

// Unicode code points of the Windows-1252 bytes 0x80..0x9F; the rest of the
// code page is Latin-1. Unassigned bytes map to the C1 control of the same
// number, as the system's conversion does.
constexpr std::uint16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr std::uint16_t LowerCodePoint(unsigned char byte) {
  const std::uint16_t c = (byte >= 0x80 && byte <= 0x9F) ? kCp1252High[byte - 0x80] : byte;
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<std::uint16_t>(c + 0x20);
  switch (c) {
    case 0x0160: return 0x0161;
    case 0x0152: return 0x0153;
    case 0x017D: return 0x017E;
    case 0x0178: return 0x00FF;
    default: return c;
  }
}

// Each byte's rank among the distinct lower-case code points: comparing
// ranks byte by byte is comparing the code points.
constexpr std::array<unsigned char, 256> BuildRanks() {
  std::array<std::uint16_t, 256> lower{};
  for (int b = 0; b < 256; ++b) lower[b] = LowerCodePoint(static_cast<unsigned char>(b));
  std::array<std::uint16_t, 256> sorted = lower;
  std::sort(sorted.begin(), sorted.end());
  const auto distinct_end = std::unique(sorted.begin(), sorted.end());
  std::array<unsigned char, 256> ranks{};
  for (int b = 0; b < 256; ++b)
    ranks[b] = static_cast<unsigned char>(std::lower_bound(sorted.begin(), distinct_end, lower[b]) - sorted.begin());
  return ranks;
}

constexpr std::array<unsigned char, 256> kRanks = BuildRanks();

}  // namespace

std::string RegistryNameKey(std::string_view name) {
  std::string key(name.size(), '\0');
  for (std::size_t i = 0; i < name.size(); ++i)
    key[i] = static_cast<char>(kRanks[static_cast<unsigned char>(name[i])]);
  return key;
}
