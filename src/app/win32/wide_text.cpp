#include "app/win32/wide_text.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/code_page_win32.h"

std::u16string WideText(const std::string& text) {
  if (std::optional<std::u16string> exact = Win32CodePage::Program().ToWide(text)) return std::move(*exact);
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::u16string wide(static_cast<std::size_t>(std::max(length, 0)), u'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), W(wide), length);
  return wide;
}
