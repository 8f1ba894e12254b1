#include "platform/device_names.h"

#include <array>
#include <string>

#include "platform/case_fold.h"

bool NamesDevice(std::string_view path) {
  std::string slashed(path);
  for (char& c : slashed)
    if (c == '/') c = '\\';
  std::string_view text = slashed;
  if (StartsWithNoCase(text, "\\\\.\\") || StartsWithNoCase(text, "\\\\?\\GLOBALROOT") ||
      StartsWithNoCase(text, "\\??\\"))
    return true;
  while (!text.empty() && text.back() == ':') text.remove_suffix(1);  // "COM1:"
  const std::size_t separator = text.find_last_of("\\:");
  std::string_view name = separator == std::string_view::npos ? text : text.substr(separator + 1);
  name = name.substr(0, name.find('.'));
  while (!name.empty() && (name.back() == ' ' || name.back() == '.')) name.remove_suffix(1);
  static constexpr std::array<std::string_view, 6> kPlain = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  for (const std::string_view device : kPlain)
    if (EqualsNoCase(name, device)) return true;
  return name.size() == 4 && (StartsWithNoCase(name, "COM") || StartsWithNoCase(name, "LPT")) && name[3] >= '1' &&
         name[3] <= '9';
}
