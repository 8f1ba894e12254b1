#pragma once
// Case-insensitive name comparison as the registry does it for the
// names this program meets (ASCII letters).
#include <string>
#include <string_view>
#include <vector>

// Inline: lookups fold every character of every name they compare.
inline char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
std::string FoldCase(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
// The listed name that is this one: the same spelling, else the first
// equal to it letter case aside; null when none is.
const std::string* FindName(const std::vector<std::string>& names, std::string_view name);
