// The system clipboard takes the text and gives it back.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/clipboard_win32.h"

namespace {

std::string ClipboardText() {
  if (!OpenClipboard(nullptr)) return "<cannot open>";
  std::string text = "<no text>";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

std::wstring ClipboardWideText() {
  if (!OpenClipboard(nullptr)) return L"<cannot open>";
  std::wstring text = L"<no text>";
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

TEST(Win32Clipboard, HoldsTheTextItWasGiven) {
  Win32Clipboard clipboard;
  ASSERT_TRUE(clipboard.SetText("HKEY_LOCAL_MACHINE\\Software\\CLASSES\\CLSID"));
  EXPECT_EQ(ClipboardText(), "HKEY_LOCAL_MACHINE\\Software\\CLASSES\\CLSID");
  ASSERT_TRUE(clipboard.SetText("A\r\nB"));
  EXPECT_EQ(ClipboardText(), "A\r\nB");
  EXPECT_EQ(ClipboardWideText(), L"A\r\nB");
}

// This test program runs in the system's ANSI code page (it has no UTF-8
// manifest): what Wine's is, 1252 or 1251, the text converts from it.
TEST(Win32Clipboard, PutsTheTextInUtf16AsTheProgramsCodePageReadsIt) {
  Win32Clipboard clipboard;
  const bool cyrillic = GetACP() == 1251;
  ASSERT_TRUE(clipboard.SetText(cyrillic ? "\xD2\xE5\xF1\xF2" : "caf\xE9"));
  EXPECT_EQ(ClipboardWideText(), cyrillic ? L"\x0422\x0435\x0441\x0442" : L"caf\x00e9");
}

}  // namespace
