#include "bench/counting_files.h"

void CountingFileSystem::ResetCounts() {
  searches_ = 0;
  folder_checks_ = 0;
  repeated_ = 0;
  searched_.clear();
}

void CountingFileSystem::Count(const std::string& name) {
  ++searches_;
  if (!searched_.insert(name).second) ++repeated_;
}

std::optional<std::string> CountingFileSystem::SearchPath(const std::string& name) {
  Count(name);
  return files_.SearchPath(name);
}

bool CountingFileSystem::DirectoryExists(const std::string& path) {
  ++folder_checks_;
  return files_.DirectoryExists(path);
}

Presence CountingFileSystem::EntryPresence(const std::string& path) {
  Count(path);
  return files_.EntryPresence(path);
}

Presence CountingFileSystem::FolderPresence(const std::string& path) {
  ++folder_checks_;
  return files_.FolderPresence(path);
}
