#include "platform/win32/code_page_win32.h"

#include <windows.h>

#include <climits>
#include <cstdlib>

namespace {

// UTF-7, UTF-8 and the ISO-2022 and GB18030 families take neither the
// best-fit flag nor the used-default flag.
bool TakesDefaultCharFlags(unsigned id) {
  return id != CP_UTF7 && id != CP_UTF8 && id != 54936 && !(id >= 50220 && id <= 50229) &&
         !(id >= 57002 && id <= 57011);
}

unsigned SystemAnsiCodePage() {
  wchar_t digits[8] = {};
  if (!GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE, digits, 8)) return GetACP();
  const unsigned id = static_cast<unsigned>(wcstoul(digits, nullptr, 10));
  return id != 0 ? id : GetACP();
}

}  // namespace

std::optional<std::string> Win32CodePage::FromWide(std::u16string_view text) const {
  if (text.empty()) return std::string();
  if (text.size() > INT_MAX / 4) return std::nullopt;
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int length = static_cast<int>(text.size());
  const bool default_flags = TakesDefaultCharFlags(id_);
  const DWORD flags = default_flags ? WC_NO_BEST_FIT_CHARS : WC_ERR_INVALID_CHARS;
  BOOL used_default = FALSE;
  BOOL* used = default_flags ? &used_default : nullptr;
  const int size = WideCharToMultiByte(id_, flags, wide, length, nullptr, 0, nullptr, used);
  if (size <= 0 || used_default) return std::nullopt;
  std::string out(static_cast<std::size_t>(size), '\0');
  if (WideCharToMultiByte(id_, flags, wide, length, out.data(), size, nullptr, used) != size || used_default)
    return std::nullopt;
  return out;
}

std::optional<std::u16string> Win32CodePage::ToWide(std::string_view text) const {
  if (text.empty()) return std::u16string();
  if (text.size() > INT_MAX) return std::nullopt;
  const int length = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(id_, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
  if (size <= 0) return std::nullopt;
  std::u16string out(static_cast<std::size_t>(size), u'\0');
  if (MultiByteToWideChar(id_, MB_ERR_INVALID_CHARS, text.data(), length, reinterpret_cast<wchar_t*>(out.data()),
                          size) != size)
    return std::nullopt;
  return out;
}

const Win32CodePage& Win32CodePage::Program() {
  static const Win32CodePage program(GetACP());
  return program;
}

const Win32CodePage& Win32CodePage::System() {
  static const Win32CodePage system(SystemAnsiCodePage());
  return system;
}

const CodePages& Win32CodePages() {
  static const CodePages pages{Win32CodePage::Program(), Win32CodePage::System()};
  return pages;
}
