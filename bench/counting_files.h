#pragma once
// A file system that counts the look-ups made through it (search-order
// searches, look-ups by path and folder checks) and how many searches
// repeated a name.
#include <cstddef>
#include <string>
#include <unordered_set>

#include "platform/files.h"

class CountingFileSystem : public FileSystem {
 public:
  explicit CountingFileSystem(FileSystem& files) : files_(files) {}

  void ResetCounts();
  std::size_t Searches() const { return searches_; }
  std::size_t FolderChecks() const { return folder_checks_; }
  std::size_t RepeatedSearches() const { return repeated_; }

  bool FileExists(const std::string& path) override { return files_.FileExists(path); }
  bool DirectoryExists(const std::string& path) override;
  Presence EntryPresence(const std::string& path) override;
  Presence FolderPresence(const std::string& path) override;
  std::optional<std::string> SearchPath(const std::string& name) override;
  std::string ExeFolder() override { return files_.ExeFolder(); }
  std::string TempFolder() override { return files_.TempFolder(); }
  std::string CurrentFolder() const override { return files_.CurrentFolder(); }
  std::optional<std::string> ReadFile(const std::string& path) override { return files_.ReadFile(path); }
  RegularFileRead ReadRegularFile(const std::string& path, std::uint64_t limit) override {
    return files_.ReadRegularFile(path, limit);
  }
  std::string FullPath(const std::string& path) const override { return files_.FullPath(path); }
  std::vector<std::string> FilesIn(const std::string& folder, const std::string& pattern) override {
    return files_.FilesIn(folder, pattern);
  }
  bool WriteFileAtomic(const std::string& path, const std::string& content) override {
    return files_.WriteFileAtomic(path, content);
  }
  bool WriteFileNew(const std::string& path, const std::string& content) override {
    return files_.WriteFileNew(path, content);
  }
  bool DeleteFile(const std::string& path) override { return files_.DeleteFile(path); }
  DriveKind KindOfDrive(char letter) override { return files_.KindOfDrive(letter); }
  std::optional<SystemFolderViews> SystemFolders() override { return files_.SystemFolders(); }
  std::optional<std::string> EnvironmentVariable(const std::string& name) override {
    return files_.EnvironmentVariable(name);
  }

 private:
  void Count(const std::string& name);

  FileSystem& files_;
  std::size_t searches_ = 0;
  std::size_t folder_checks_ = 0;
  std::size_t repeated_ = 0;
  std::unordered_set<std::string> searched_;
};
