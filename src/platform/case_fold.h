#pragma once
// Case-insensitive name comparison as the registry does it for the
// names this program meets (ASCII letters).
#include <string>
#include <string_view>

// Inline: lookups fold every character of every name they compare.
inline char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
std::string FoldCase(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
