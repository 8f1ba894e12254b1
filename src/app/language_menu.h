#pragma once
// The Language menu's decisions: which entry is the current language, and
// which language an entry names.
#include <optional>
#include <string>
#include <vector>

class TLangv;

// The entry whose name equals the current language exactly (letter case
// counting); none when no entry does.
std::optional<std::size_t> CurrentLanguageEntry(const std::vector<std::string>& names, const std::string& current);
// The language an entry's caption names: the caption without a leading "&".
std::string LanguageOfCaption(const std::string& caption);
// Says that a language could not be switched to and why: lang.ini gives
// no file for it, or its file (named with its folder) cannot be read or
// holds no texts; and which language the interface shows instead (the
// current one of the texts, in which it is said).
std::string LanguageNotLoadedText(const std::string& language, const std::string& file, const TLangv& texts);
