// The INI reader's queries with any section and entry name. Input: the
// section name on the first line, the entry name on the second, then the
// file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ascii_upper.h"
#include "platform/ini_file.h"
#include "platform/ini_properties.h"

namespace {

// The next line of the input, taken off it.
std::string TakeLine(std::string& input) {
  const std::size_t end = input.find('\n');
  std::string line = input.substr(0, end);
  input.erase(0, end == std::string::npos ? end : end + 1);
  return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  const std::string section = TakeLine(text);
  const std::string name = TakeLine(text);
  const IniFile ini(text);

  const std::string value = ini.ReadString(section, name, kIniFallback);
  CheckIniValue(text, value);
  // Names are found without regard to ASCII case and to blanks around them.
  FUZZ_CHECK(ini.ReadString(AsciiUpper(section), AsciiUpper(name), kIniFallback) == value);
  FUZZ_CHECK(ini.ReadString(" " + section + "\t", "\t" + name + " ", kIniFallback) == value);
  FUZZ_CHECK(ini.HasSection(section) == ini.HasSection(AsciiUpper(section)));
  // A value read means its section is there.
  FUZZ_CHECK(value == kIniFallback || ini.HasSection(section));
  CheckIniSection(ini, text, section);
  return 0;
}
