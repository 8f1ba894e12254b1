#include "support/window_test_support_win32.h"

#include <fstream>

std::vector<std::string> MenuLines(HMENU menu) {
  std::vector<std::string> lines;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    const UINT state = GetMenuState(menu, i, MF_BYPOSITION);
    if (state & MF_SEPARATOR) {
      lines.push_back("-");
      continue;
    }
    char text[256] = "";
    GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
    std::string line = text;
    if (state & MF_GRAYED) line += " [off]";
    if (state & MF_CHECKED) line += " [x]";
    if (GetMenuDefaultItem(menu, TRUE, 0) == static_cast<UINT>(i)) line += " [default]";
    lines.push_back(line);
  }
  return lines;
}

std::string MenuCaption(HMENU bar, int position) {
  char text[256] = "";
  GetMenuStringA(bar, position, text, sizeof text, MF_BYPOSITION);
  return text;
}

std::string WindowTitle(HWND window) {
  char title[512] = "";
  GetWindowTextA(window, title, sizeof title);
  return title;
}

std::string ClassName(HWND window) {
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

void Settle(int milliseconds) {
  const DWORD end = GetTickCount() + milliseconds;
  MSG message;
  do {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(10);
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

std::string SaveScreenshot(HWND window, const std::string& name) {
  RECT rect{};
  GetWindowRect(window, &rect);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  const DWORD row = ((width * 3 + 3) / 4) * 4;
  const DWORD image_size = row * height;
  BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + image_size), 0,
                        0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  // Beside the test program, whatever folder the test made current.
  char program[MAX_PATH] = "";
  const std::string exe(program, GetModuleFileNameA(nullptr, program, MAX_PATH));
  const std::string folder = exe.substr(0, exe.find_last_of('\\') + 1) + "screenshots";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string path = folder + "\\" + name + ".bmp";
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  out.write(static_cast<const char*>(bits), image_size);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return path;
}

namespace {

BOOL CALLBACK FindShownDialog(HWND window, LPARAM found) {
  if (ClassName(window) != "#32770" || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

}  // namespace

HWND ShownDialog() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindShownDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}
