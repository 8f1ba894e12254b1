#pragma once
// A long job on the window's thread keeps the window painted: at most every
// interval, the paint messages waiting are handled (the rest of the input
// waits for the job's end, so no command runs in the middle of it), which
// also tells the system that the program still answers.
#include <windows.h>

#include <chrono>

class PaintPump {
 public:
  explicit PaintPump(std::chrono::milliseconds interval = std::chrono::milliseconds(50)) : interval_(interval) {}
  // Whether the interval has passed since the last paint.
  bool Due() const { return std::chrono::steady_clock::now() >= next_; }
  void PaintNow();

 private:
  std::chrono::milliseconds interval_;
  std::chrono::steady_clock::time_point next_ = std::chrono::steady_clock::now();
};
