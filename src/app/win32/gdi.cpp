#include "app/win32/gdi.h"

UniqueFont MakeFont(const char* face, int pixel_height, bool bold) {
  LOGFONTA font{};
  font.lfHeight = -pixel_height;
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
  return UniqueFont(CreateFontIndirectA(&font));
}

UniqueImageList LoadIconList(HINSTANCE instance, const int* icon_ids, int count, int size) {
  UniqueImageList list(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, count, 0));
  for (int i = 0; i < count; ++i) {
    HICON icon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(icon_ids[i]), IMAGE_ICON, size, size, 0));
    ImageList_AddIcon(list.get(), icon);
    DestroyIcon(icon);
  }
  return list;
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi;
}
