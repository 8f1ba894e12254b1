#include "app/geometry.h"

#include <algorithm>
#include <climits>

namespace {

bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Distance between the two rectangles along one axis; 0 when they overlap on it.
long long Gap(int a_low, int a_high, int b_low, int b_high) {
  if (a_high <= b_low) return static_cast<long long>(b_low) - a_high;
  if (b_high <= a_low) return static_cast<long long>(a_low) - b_high;
  return 0;
}

long long SquaredDistance(const Rect& a, const Rect& b) {
  const long long dx = Gap(a.left, a.right, b.left, b.right);
  const long long dy = Gap(a.top, a.bottom, b.top, b.bottom);
  return dx * dx + dy * dy;
}

// The new start of a span of the given length, moved into [low, high) and
// kept at low when it does not fit.
int MoveInside(int start, int length, int low, int high) { return std::max(low, std::min(start, high - length)); }

}  // namespace

Rect KeepOnScreen(const Rect& window, const std::vector<Rect>& work_areas) {
  const Rect* nearest = nullptr;
  long long best = LLONG_MAX;
  for (const Rect& area : work_areas) {
    if (Overlap(window, area)) return window;
    const long long distance = SquaredDistance(window, area);
    if (distance < best) {
      best = distance;
      nearest = &area;
    }
  }
  if (!nearest) return window;
  const int left = MoveInside(window.left, window.Width(), nearest->left, nearest->right);
  const int top = MoveInside(window.top, window.Height(), nearest->top, nearest->bottom);
  return {left, top, left + window.Width(), top + window.Height()};
}
