#pragma once
// The texts of the ignore list's dialog and of the status bar after Ignore,
// in the current language; a text the language lacks is the built-in
// English one.
#include <string>

class TLangv;

struct IgnoredDialogTexts {
  std::string title;
  std::string key_column;
  std::string value_column;
  std::string added_column;
  std::string remove;
  std::string remove_all;
  std::string close;
  std::string not_stored;  // the list could not be written
};

IgnoredDialogTexts IgnoredDialogTextsOf(const TLangv& langv);
// "Ignored: 2"
std::string IgnoredStatusText(const TLangv& langv, int count);
// The ignore list could not be written, and where it goes.
std::string IgnoreListNotStoredText(const TLangv& langv);
