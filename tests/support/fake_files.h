#pragma once
// Files held by name in memory, whose writes can be made to fail; for tests
// of code that writes files through the seam.
#include <map>
#include <string>

#include "platform/files.h"

class FakeFiles : public FileSystem {
 public:
  bool FileExists(const std::string& path) override { return files.count(path) > 0; }
  bool DirectoryExists(const std::string&) override { return false; }
  std::optional<std::string> SearchPath(const std::string&) override { return std::nullopt; }
  std::string ExeFolder() override { return "C:\\exe\\"; }
  std::string TempFolder() override { return "C:\\temp\\"; }
  std::optional<std::string> ReadFile(const std::string& path) override {
    const auto found = files.find(path);
    if (found == files.end()) return std::nullopt;
    return found->second;
  }
  bool WriteFileAtomic(const std::string& path, const std::string& content) override {
    if (fail_writes) return false;
    files[path] = content;
    return true;
  }
  bool DeleteFile(const std::string& path) override { return files.erase(path) > 0; }

  std::map<std::string, std::string> files;
  bool fail_writes = false;
};
