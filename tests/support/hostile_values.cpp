#include "support/reg_bytes.h"
#include "support/hostile_values.h"

namespace {

using Bytes = std::vector<std::uint8_t>;


Bytes Counting(std::size_t count) {
  Bytes bytes(count);
  for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  return bytes;
}

// Ends text data the way the system ends it.
Bytes Terminated(Bytes bytes) {
  bytes.push_back(0);
  return bytes;
}

}  // namespace

std::vector<NamedRegValue> HostileValues() {
  return {
      {"", {kRegSz, Sz("C:\\App\\app.exe")}},
      {"q\"uo\\te", {kRegSz, Sz("say \"hi\" \\\\server\\share\\")}},
      {"\\", {kRegSz, Sz("\"")}},
      {"@", {kRegSz, Sz("at")}},
      {"=[x]; ", {kRegSz, Sz("=[HKEY_CURRENT_USER\\Y]; ")}},
      {"crlf", {kRegSz, Sz("a\r\n[HKEY_CURRENT_USER\\Injected]\r\n\"b\"=\"c\"")}},
      {"cr", {kRegSz, Sz("a\rb")}},
      {"empty", {kRegSz, Sz("")}},
      {"sized0", {kRegSz, {}}},
      {"embedded", {kRegSz, {'a', 0, 'b', 0}}},
      {"ansi caf\xE9", {kRegSz, Sz("\xA3 caf\xE9 \xFF")}},
      {"expand", {kRegExpandSz, Sz("%SystemRoot%\\system32")}},
      {"dword", {kRegDword, {0x78, 0x56, 0x34, 0x12}}},
      {"dword max", {kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}}},
      {"dword3", {kRegDword, {1, 2, 3}}},
      {"dword5", {kRegDword, {1, 2, 3, 4, 5}}},
      {"dword0", {kRegDword, {}}},
      {"big", {kRegDwordBigEndian, {0, 0, 0, 1}}},
      {"none", {kRegNone, {}}},
      {"none data", {kRegNone, {1, 2}}},
      {"multi", {kRegMultiSz, {'a', 0, 'b', '\\', '"', 0, 0}}},
      {"multi empty", {kRegMultiSz, {}}},
      {"qword", {kRegQword, {1, 2, 3, 4, 5, 6, 7, 8}}},
      {"link", {kRegLink, {'x', 0, 'y', 0}}},
      {"resources", {kRegResourceList, {1, 0, 0, 0}}},
      {"custom", {0x12345678u, {9, 8, 7}}},
      {"binary empty", {kRegBinary, {}}},
      {"binary", {kRegBinary, Counting(1000)}},
      {"binary 23", {kRegBinary, Counting(23)}},
      {"binary 24", {kRegBinary, Counting(24)}},
      {std::string(300, 'L'), {kRegBinary, Counting(60)}},
      {std::string(75, 'M'), {kRegMultiSz, Terminated(Counting(53))}},
  };
}

std::vector<std::string> HostileKeyNames() {
  return {"Sub [1] \"x\"", "semi;colon=eq", "caf\xE9", "@", " lead", "trail "};
}

std::vector<NamedRegValue> UnterminatedTextValues() {
  return {
      {"open", {kRegSz, {'a', 'b'}}},
      {"odd", {kRegSz, {'a', 'b', 'c', 0, 'd'}}},
      {"expand open", {kRegExpandSz, {'%', 'A', '%'}}},
      {"multi open", {kRegMultiSz, {'a', 0, 'b'}}},
  };
}
