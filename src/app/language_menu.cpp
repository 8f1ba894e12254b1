#include "app/language_menu.h"

#include "lang/langv.h"
#include "lang/message_numbers.h"

std::optional<std::size_t> CurrentLanguageEntry(const std::vector<std::string>& names, const std::string& current) {
  for (std::size_t i = 0; i < names.size(); ++i)
    if (names[i] == current) return i;
  return std::nullopt;
}

std::string LanguageOfCaption(const std::string& caption) {
  return !caption.empty() && caption[0] == '&' ? caption.substr(1) : caption;
}

std::string LanguageNotLoadedText(const std::string& language, const std::string& file, const TLangv& texts) {
  const std::string& shown = texts.CurLang();
  if (file.empty()) return FillIn(texts.GetMsg(kMsgLanguageNotNamed), {language, shown});
  return FillIn(texts.GetMsg(kMsgLanguageFileBad), {file, shown});
}
