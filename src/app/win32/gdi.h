#pragma once
// Owning handles for the GDI and USER objects the window program creates.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <type_traits>

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;

struct ImageListDeleter {
  void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
};
using UniqueImageList = std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDeleter>;

struct MenuDeleter {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

struct AcceleratorDeleter {
  void operator()(HACCEL table) const { DestroyAcceleratorTable(table); }
};
using UniqueAccelerators = std::unique_ptr<std::remove_pointer_t<HACCEL>, AcceleratorDeleter>;

// A font of the given face and character height in pixels, in the
// character set of the system's code page.
UniqueFont MakeFont(const char* face, int pixel_height, bool bold = false);
// An image list of small icons from the program's resources, in order.
UniqueImageList LoadIconList(HINSTANCE instance, const int* icon_ids, int count, int size);
// The resolution of the screen, in pixels per inch.
int ScreenDpi();
