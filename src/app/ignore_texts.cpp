#include "app/ignore_texts.h"

#include "lang/langv.h"
#include "lang/message_numbers.h"

namespace {

// The tip dialog's close button says the same.
constexpr int kMsgClose = 29;

std::string TextOr(const TLangv& langv, int message, const char* built_in) {
  std::string text = langv.GetMsg(message);
  return text.empty() ? built_in : text;
}

}  // namespace

IgnoredDialogTexts IgnoredDialogTextsOf(const TLangv& langv) {
  return {TextOr(langv, kMsgIgnoredTitle, "Ignored items"), TextOr(langv, kMsgIgnoredKey, "Key"),
          TextOr(langv, kMsgIgnoredValue, "Value"),         TextOr(langv, kMsgIgnoredAdded, "Added"),
          TextOr(langv, kMsgIgnoredRemove, "&Remove"),      TextOr(langv, kMsgIgnoredRemoveAll, "Remove &all"),
          TextOr(langv, kMsgClose, "&Close")};
}

std::string IgnoredStatusText(const TLangv& langv, int count) {
  return TextOr(langv, kMsgIgnoredStatus, "Ignored:") + " " + std::to_string(count);
}
