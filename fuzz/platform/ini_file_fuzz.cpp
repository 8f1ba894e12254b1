// The INI reader on whole files: the sections the program reads (the
// knowledge base's, the language index's and a language file's), the
// entries above the first header and the first name in brackets, each
// listed and read as the program reads them.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/ini_file.h"
#include "platform/ini_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const IniFile ini(text);
  for (const char* section : {"PATHS1", "languages", "Messages", ""}) CheckIniSection(ini, text, section);
  const std::size_t open = text.find('[');
  if (open != std::string::npos) {
    const std::size_t close = text.find(']', open);
    CheckIniSection(ini, text, text.substr(open + 1, close == std::string::npos ? close : close - open - 1));
  }
  return 0;
}
