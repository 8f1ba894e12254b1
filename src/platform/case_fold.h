#pragma once
// Case-insensitive name comparison as the registry does it for the
// names this program meets (ASCII letters).
#include <string>
#include <string_view>

char FoldCase(char c);
std::string FoldCase(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
