#include "support/reg_value_print.h"

#include <cstdio>

void PrintTo(const RegValue& value, std::ostream* out) {
  *out << "type " << value.type << ":";
  for (std::size_t i = 0; i < value.data.size() && i < 64; ++i) {
    char hex[4];
    std::snprintf(hex, sizeof hex, " %02X", value.data[i]);
    *out << hex;
  }
  if (value.data.size() > 64) *out << " ... (" << value.data.size() << " bytes)";
}
