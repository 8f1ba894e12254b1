#pragma once
// Window geometry: the design sizes scaled to the screen, and keeping a
// restored window where the user can see it.
#include <vector>

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

// The window was designed at 120 pixels per inch; its sizes grow and shrink
// with the screen's resolution.
class DesignScale {
 public:
  static constexpr int kDesignDpi = 120;
  explicit DesignScale(int screen_dpi) : dpi_(screen_dpi > 0 ? screen_dpi : kDesignDpi) {}
  int operator()(int design_pixels) const { return (design_pixels * dpi_ + kDesignDpi / 2) / kDesignDpi; }
  int Dpi() const { return dpi_; }

 private:
  int dpi_;
};

// The window as stored, unless it lies off every monitor (a monitor was
// removed since): then, its size kept, it moves onto the work area nearest
// to it, as far inside as its size allows. With no work areas known, the
// window stays where it is.
Rect KeepOnScreen(const Rect& window, const std::vector<Rect>& work_areas);
