#pragma once
// Version records read with the system's version functions, which are
// loaded at the first read and stay while a record read with them lives.
#include <memory>

#include "app/version_info.h"

class Win32VersionRecordReader : public VersionRecordReader {
 public:
  std::unique_ptr<VersionRecord> Read(const std::string& file) override;

  struct Functions;

 private:
  std::shared_ptr<const Functions> functions_;
};

// The full name of the running program.
std::string OwnExecutableName();
