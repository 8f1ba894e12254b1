#pragma once
// Backup file names: the scan's start time as "dd_mm_yy;hh-mm-ss (AM/PM)"
// on the 12-hour clock, AM and PM in capitals whatever the locale.
#include <string>

#include "platform/clock.h"

std::string BackupFileBase(const LocalTime& time);
// The base with ".reg"; from the second candidate on, "_<n>" before ".reg"
// keeps the name apart from an earlier scan's file.
std::string BackupFileName(const std::string& base, int candidate);
