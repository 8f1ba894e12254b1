#pragma once
// Version records read with the system's version functions.
#include "app/version_info.h"

class Win32VersionRecordReader : public VersionRecordReader {
 public:
  std::unique_ptr<VersionRecord> Read(const std::string& file) override;
};

// The full name of the running program.
std::string OwnExecutableName();
