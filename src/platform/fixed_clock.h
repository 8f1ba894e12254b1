#pragma once
// A clock for tests: always shows the time it was set to.
#include "platform/clock.h"

class FixedClock : public Clock {
 public:
  explicit FixedClock(LocalTime time = {}) : time_(time) {}
  void Set(LocalTime time) { time_ = time; }
  LocalTime Now() override { return time_; }

 private:
  LocalTime time_;
};
