#include "bench/counting_files.h"

void CountingFileSystem::ResetCounts() {
  searches_ = 0;
  folder_checks_ = 0;
  repeated_ = 0;
  searched_.clear();
}

std::optional<std::string> CountingFileSystem::SearchPath(const std::string& name) {
  ++searches_;
  if (!searched_.insert(name).second) ++repeated_;
  return files_.SearchPath(name);
}

bool CountingFileSystem::DirectoryExists(const std::string& path) {
  ++folder_checks_;
  return files_.DirectoryExists(path);
}
