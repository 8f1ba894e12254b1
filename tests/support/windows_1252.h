#pragma once
// Code page 1252 (Western European) as Windows converts it, for testing the
// conversion rules natively: the bytes 0x80 to 0x9F map to the characters
// Windows gives them, the five it leaves undefined to themselves.
#include "platform/code_page.h"

class Windows1252 : public CodePage {
 public:
  unsigned Id() const override { return 1252; }
  std::optional<std::string> FromWide(std::u16string_view text) const override;
  std::optional<std::u16string> ToWide(std::string_view text) const override;
};
