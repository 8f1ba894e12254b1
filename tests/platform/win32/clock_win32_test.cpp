#include "platform/win32/clock_win32.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

bool SameMinute(const LocalTime& t, std::time_t c) {
  const std::tm m = *std::localtime(&c);
  return t.year == m.tm_year + 1900 && t.month == m.tm_mon + 1 && t.day == m.tm_mday &&
         t.hour == m.tm_hour && t.minute == m.tm_min;
}

TEST(Win32Clock, ShowsTheLocalDateAndTime) {
  const std::time_t before = std::time(nullptr);
  const LocalTime now = Win32Clock().Now();
  const std::time_t after = std::time(nullptr);
  EXPECT_TRUE(SameMinute(now, before) || SameMinute(now, after));
  EXPECT_GE(now.second, 0);
  EXPECT_LE(now.second, 59);
}

}  // namespace
