#include "support/windows_1252.h"

namespace {

constexpr char16_t kHighRow[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t CharOf(unsigned char byte) { return byte >= 0x80 && byte < 0xA0 ? kHighRow[byte - 0x80] : byte; }

}  // namespace

std::optional<std::string> Windows1252::FromWide(std::u16string_view text) const {
  std::string out;
  for (const char16_t c : text) {
    int byte = -1;
    for (int b = 0; b < 256 && byte < 0; ++b)
      if (CharOf(static_cast<unsigned char>(b)) == c) byte = b;
    if (byte < 0) return std::nullopt;
    out += static_cast<char>(byte);
  }
  return out;
}

std::optional<std::u16string> Windows1252::ToWide(std::string_view text) const {
  std::u16string out;
  for (const char c : text) out += CharOf(static_cast<unsigned char>(c));
  return out;
}
