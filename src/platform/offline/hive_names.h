#pragma once
// Key and value names of a hive, compared as the registry compares them:
// without regard to letter case. The registry folds letters with its own
// upper-case table; this covers the alphabets a name of a Windows
// installation plausibly holds (Latin, Greek, Cyrillic).
#include <string>
#include <string_view>

char16_t FoldNameUnit(char16_t unit);
std::u16string FoldName(std::u16string_view name);
