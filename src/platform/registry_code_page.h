#pragma once
// The registry keeps names and text in UTF-16; the program reads them in
// its code page. What that code page cannot hold exactly is unreadable: it
// is left alone rather than read damaged (a path with '?' in it names no
// file, a name with '?' in it names another value).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/registry.h"

// REG_SZ, REG_EXPAND_SZ and REG_MULTI_SZ: the types whose data the system
// converts between UTF-16 and the code page.
bool IsTextType(std::uint32_t type);

struct NamesInCodePage {
  std::vector<std::string> readable;    // in the registry's order
  std::vector<std::string> unreadable;  // as far as they can be shown ('?')
};
NamesInCodePage SplitNames(const std::vector<std::u16string>& names, const CodePage& to);

// UTF-16LE bytes and back. Data of odd length is no UTF-16.
std::optional<std::u16string> WideFromBytes(const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> BytesFromWide(std::u16string_view text);

// A value read in UTF-16 (text types) as the code page reads it: the text
// converted, terminators and all; other types unchanged. Empty when the
// text does not convert.
std::optional<RegValue> ValueFromWide(const RegValue& wide, const CodePage& to);
// The reverse: text in the code page as the system stores it in UTF-16.
std::optional<RegValue> ValueToWide(const RegValue& value, const CodePage& from);
