#include <gtest/gtest.h>

#include "app/geometry.h"

namespace {

const Rect kLeftMonitor{0, 0, 1280, 1000};          // work area above a task bar
const Rect kRightMonitor{1280, 0, 1280 + 1920, 1040};

TEST(KeepOnScreen, AWindowTouchingAMonitorStaysAsStored) {
  for (const Rect& window : {Rect{100, 100, 600, 500}, Rect{1200, 50, 1700, 450}, Rect{-400, -300, 10, 10}})
    EXPECT_EQ(KeepOnScreen(window, {kLeftMonitor, kRightMonitor}), window);
}

TEST(KeepOnScreen, AWindowOnARemovedMonitorMovesOntoTheNearestKeepingItsSize) {
  // The right monitor is gone.
  EXPECT_EQ(KeepOnScreen({2000, 300, 2500, 700}, {kLeftMonitor}), (Rect{780, 300, 1280, 700}));
  // A monitor that was above.
  EXPECT_EQ(KeepOnScreen({100, -900, 600, -500}, {kLeftMonitor, kRightMonitor}), (Rect{100, 0, 600, 400}));
  // Nearer to the right one.
  EXPECT_EQ(KeepOnScreen({4000, 2000, 4500, 2400}, {kLeftMonitor, kRightMonitor}), (Rect{2700, 640, 3200, 1040}));
}

TEST(KeepOnScreen, AWindowLargerThanTheWorkAreaStartsAtItsCorner) {
  EXPECT_EQ(KeepOnScreen({5000, 5000, 7000, 6500}, {kLeftMonitor}), (Rect{0, 0, 2000, 1500}));
}

TEST(KeepOnScreen, WithNoMonitorKnownTheWindowStays) {
  EXPECT_EQ(KeepOnScreen({5000, 5000, 5500, 5400}, {}), (Rect{5000, 5000, 5500, 5400}));
}

}  // namespace
