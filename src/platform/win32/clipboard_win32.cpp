#include "platform/win32/clipboard_win32.h"

#include <windows.h>

#include <cstring>
#include <optional>

#include "platform/win32/code_page_win32.h"

namespace {

// Movable memory holding the bytes, for the clipboard to take; null when
// there is none.
HGLOBAL GlobalCopy(const void* bytes, std::size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!memory) return nullptr;
  std::memcpy(GlobalLock(memory), bytes, size);
  GlobalUnlock(memory);
  return memory;
}

// The clipboard owns the memory once it has taken it.
bool Give(UINT format, HGLOBAL memory) {
  if (!memory) return false;
  if (SetClipboardData(format, memory)) return true;
  GlobalFree(memory);
  return false;
}

}  // namespace

bool Win32Clipboard::SetText(const std::string& text) {
  if (!OpenClipboard(reinterpret_cast<HWND>(owner_))) return false;
  EmptyClipboard();
  const bool taken = Give(CF_TEXT, GlobalCopy(text.c_str(), text.size() + 1));
  // The text in UTF-16 too: what the system would make of CF_TEXT follows
  // the system's code page, not this program's, and would damage every
  // character outside it.
  if (const std::optional<std::u16string> wide = Win32CodePage::Program().ToWide(text); taken && wide)
    Give(CF_UNICODETEXT, GlobalCopy(wide->c_str(), (wide->size() + 1) * sizeof(char16_t)));
  CloseClipboard();
  return taken;
}
