#pragma once
// 8-bit text in a Windows code page and its UTF-16 form. The program's
// strings are in the process code page (UTF-8 where the system honours the
// manifest, the system's ANSI code page elsewhere); the registry stores
// UTF-16, and the registry editor reads REGEDIT4 files in the system's ANSI
// code page whatever the program's is.
#include <optional>
#include <string>
#include <string_view>

inline constexpr unsigned kUtf8CodePage = 65001;

class CodePage {
 public:
  virtual ~CodePage() = default;
  virtual unsigned Id() const = 0;
  // Empty when a character has no exact form here: nothing is replaced by
  // a look-alike or a default character.
  virtual std::optional<std::string> FromWide(std::u16string_view text) const = 0;
  // Empty when the bytes are not text of this code page.
  virtual std::optional<std::u16string> ToWide(std::string_view text) const = 0;
};

class Utf8CodePage : public CodePage {
 public:
  unsigned Id() const override { return kUtf8CodePage; }
  // A lone surrogate has no UTF-8 form.
  std::optional<std::string> FromWide(std::u16string_view text) const override;
  // Overlong forms, surrogates and cut sequences are refused.
  std::optional<std::u16string> ToWide(std::string_view text) const override;
};

// The code page of the program's strings, and the one the system's tools
// read 8-bit text files in.
struct CodePages {
  const CodePage& program;
  const CodePage& system;
};

// The text converted from one code page to the other; empty when it has no
// exact form there. Equal code pages give the bytes unchanged.
std::optional<std::string> Recode(std::string_view text, const CodePage& from, const CodePage& to);

// The text as far as the code page can show it: each character it lacks
// becomes '?'. For names that cannot be addressed, shown to the user.
std::string ShownInCodePage(std::u16string_view text, const CodePage& to);

// The process's code pages when they are the same one: 8-bit text passes
// unchanged (what a program without a UTF-8 manifest sees).
const CodePages& SameCodePages();
