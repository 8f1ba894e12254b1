#include "regtext/backup_file_name.h"

static std::string TwoDigits(int number) {
  return {static_cast<char>('0' + number / 10 % 10), static_cast<char>('0' + number % 10)};
}

std::string BackupFileBase(const LocalTime& time) {
  const int hour12 = time.hour % 12 == 0 ? 12 : time.hour % 12;
  return TwoDigits(time.day) + '_' + TwoDigits(time.month) + '_' + TwoDigits(time.year % 100) +
         ';' + TwoDigits(hour12) + '-' + TwoDigits(time.minute) + '-' + TwoDigits(time.second) +
         (time.hour < 12 ? " (AM)" : " (PM)");
}

std::string BackupFileName(const std::string& base, int candidate) {
  return candidate <= 1 ? base + ".reg" : base + '_' + std::to_string(candidate) + ".reg";
}
