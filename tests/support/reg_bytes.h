#pragma once
// Registry data built from text, for tests.
#include <cstdint>
#include <string>
#include <vector>

// The bytes of REG_SZ data as the system stores it: the text and a zero.
inline std::vector<std::uint8_t> Sz(const std::string& text) {
  std::vector<std::uint8_t> bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}
