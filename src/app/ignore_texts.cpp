#include "app/ignore_texts.h"

#include "clean/ignore_list.h"
#include "lang/langv.h"
#include "lang/message_numbers.h"
#include "platform/key_path.h"
#include "platform/root_keys.h"

// A text the language file lacks comes from the built-in English table.
IgnoredDialogTexts IgnoredDialogTextsOf(const TLangv& langv) {
  return {langv.GetMsg(kMsgIgnoredTitle),  langv.GetMsg(kMsgIgnoredKey),    langv.GetMsg(kMsgIgnoredValue),
          langv.GetMsg(kMsgIgnoredAdded),  langv.GetMsg(kMsgIgnoredRemove), langv.GetMsg(kMsgIgnoredRemoveAll),
          langv.GetMsg(kMsgTipClose),  // the tip dialog's close button says the same
          IgnoreListNotStoredText(langv)};
}

std::string IgnoredStatusText(const TLangv& langv, int count) {
  return langv.GetMsg(kMsgIgnoredStatus) + " " + std::to_string(count);
}

std::string IgnoreListNotStoredText(const TLangv& langv) {
  return FillIn(langv.GetMsg(kMsgIgnoreListNotStored), {KeyPath(kHkeyCurrentUser, kIgnoreListKey).FullName()});
}
