#pragma once
// Windows code pages through the system's conversion functions.
#include "platform/code_page.h"

class Win32CodePage : public CodePage {
 public:
  explicit Win32CodePage(unsigned id) : id_(id) {}
  unsigned Id() const override { return id_; }
  std::optional<std::string> FromWide(std::u16string_view text) const override;
  std::optional<std::u16string> ToWide(std::string_view text) const override;

  // The process's code page: UTF-8 where the manifest asked for it and the
  // system honours that, the system's ANSI code page otherwise.
  static const Win32CodePage& Program();
  // The ANSI code page of the system locale: the one programs without the
  // manifest entry use, the registry editor's REGEDIT4 files included.
  static const Win32CodePage& System();

 private:
  unsigned id_;
};

// The two above, as the journal and the language files take them.
const CodePages& Win32CodePages();
