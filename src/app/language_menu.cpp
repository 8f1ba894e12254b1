#include "app/language_menu.h"

std::optional<std::size_t> CurrentLanguageEntry(const std::vector<std::string>& names, const std::string& current) {
  for (std::size_t i = 0; i < names.size(); ++i)
    if (names[i] == current) return i;
  return std::nullopt;
}

std::string LanguageOfCaption(const std::string& caption) {
  return !caption.empty() && caption[0] == '&' ? caption.substr(1) : caption;
}

std::string LanguageNotLoadedText(const std::string& language, const std::string& file, const std::string& shown) {
  const std::string why = file.empty() ? "lang.ini names no file for the language \"" + language + "\""
                                       : "The language file " + file + " is missing or holds no [Messages]";
  return why + ". The interface stays in " + shown + ".";
}
