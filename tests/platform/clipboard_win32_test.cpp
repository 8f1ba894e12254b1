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

TEST(Win32Clipboard, HoldsTheTextItWasGiven) {
  Win32Clipboard clipboard;
  ASSERT_TRUE(clipboard.SetText("HKEY_LOCAL_MACHINE\\Software\\CLASSES\\CLSID"));
  EXPECT_EQ(ClipboardText(), "HKEY_LOCAL_MACHINE\\Software\\CLASSES\\CLSID");
  ASSERT_TRUE(clipboard.SetText("A\r\nB"));
  EXPECT_EQ(ClipboardText(), "A\r\nB");
}

}  // namespace
