#pragma once
// Opening one hive file of an installation as Windows would load it: a
// dirty hive (a write the primary file lacks, held in its .LOG1 and .LOG2
// transaction logs) is refused unless the caller takes it as last written
// cleanly. The file itself is only ever read.
#include <cstddef>
#include <memory>
#include <string>

#include "platform/offline/hive.h"

struct HiveReport {
  std::string path;  // on Linux
  std::string role;  // where it is shown: "HKEY_LOCAL_MACHINE\Software"...
  bool present = false;
  std::size_t keys = 0;
  std::size_t values = 0;
  bool dirty = false;
  std::size_t log_entries_applied = 0;
};

// Throws HiveError naming the file when it is no usable hive. Fills the
// report's counts and state.
std::shared_ptr<const Hive> OpenHiveFile(HiveReport& report, bool ignore_logs);
