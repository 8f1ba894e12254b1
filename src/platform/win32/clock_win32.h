#pragma once
// The system's local time.
#include "platform/clock.h"

class Win32Clock : public Clock {
 public:
  LocalTime Now() override;
};
