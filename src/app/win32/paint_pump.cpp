#include "app/win32/paint_pump.h"

namespace {

constexpr int kMostPaints = 100;

}  // namespace

void PaintPump::PaintNow() {
  MSG message;
  // A window that leaves itself invalid would come back for ever.
  for (int paints = 0; paints < kMostPaints && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT); ++paints)
    DispatchMessageA(&message);
  next_ = std::chrono::steady_clock::now() + interval_;
}
