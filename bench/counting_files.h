#pragma once
// A file system that counts the search-order lookups made through it and
// how many of them repeated a name already looked up.
#include <cstddef>
#include <string>
#include <unordered_set>

#include "platform/files.h"

class CountingFileSystem : public FileSystem {
 public:
  explicit CountingFileSystem(FileSystem& files) : files_(files) {}

  void ResetCounts();
  std::size_t Searches() const { return searches_; }
  std::size_t RepeatedSearches() const { return repeated_; }

  bool FileExists(const std::string& path) override { return files_.FileExists(path); }
  bool DirectoryExists(const std::string& path) override { return files_.DirectoryExists(path); }
  std::optional<std::string> SearchPath(const std::string& name) override;
  std::string ExeFolder() override { return files_.ExeFolder(); }
  std::string TempFolder() override { return files_.TempFolder(); }
  std::string CurrentFolder() const override { return files_.CurrentFolder(); }
  std::optional<std::string> ReadFile(const std::string& path) override { return files_.ReadFile(path); }
  bool WriteFileAtomic(const std::string& path, const std::string& content) override {
    return files_.WriteFileAtomic(path, content);
  }
  bool WriteFileNew(const std::string& path, const std::string& content) override {
    return files_.WriteFileNew(path, content);
  }
  bool DeleteFile(const std::string& path) override { return files_.DeleteFile(path); }
  DriveKind KindOfDrive(char letter) override { return files_.KindOfDrive(letter); }
  std::optional<SystemFolderViews> SystemFolders() override { return files_.SystemFolders(); }

 private:
  FileSystem& files_;
  std::size_t searches_ = 0;
  std::size_t repeated_ = 0;
  std::unordered_set<std::string> searched_;
};
