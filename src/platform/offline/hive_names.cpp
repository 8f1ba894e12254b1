#include "platform/offline/hive_names.h"

char16_t FoldNameUnit(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 0x20);
  if (c < 0xC0) return c;
  if (c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 0x20);  // Latin-1 capitals
  if (c == 0x178) return 0xFF;
  if (c >= 0x100 && c <= 0x17F) {
    // Latin Extended-A pairs capital and small letter; the run from U+0139
    // to U+0148 and from U+0179 on has the capital on the odd code point.
    const bool odd_capitals = (c >= 0x139 && c <= 0x148) || c >= 0x179;
    const bool capital = odd_capitals ? (c % 2 == 1) : (c % 2 == 0);
    if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
    return capital ? static_cast<char16_t>(c + 1) : c;
  }
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return static_cast<char16_t>(c + 0x20);  // Greek
  if (c >= 0x410 && c <= 0x42F) return static_cast<char16_t>(c + 0x20);                 // Cyrillic
  if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 0x50);
  return c;
}

std::u16string FoldName(std::u16string_view name) {
  std::u16string folded(name);
  for (char16_t& unit : folded) unit = FoldNameUnit(unit);
  return folded;
}
