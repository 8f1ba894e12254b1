#pragma once
// The file system of the running Windows system, through the ANSI functions.
#include "platform/files.h"

class Win32FileSystem : public FileSystem {
 public:
  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  Presence EntryPresence(const std::string& path) override;
  Presence FolderPresence(const std::string& path) override;
  std::optional<std::string> SearchPath(const std::string& name) override;
  std::string ExeFolder() override;
  std::string TempFolder() override;
  std::string CurrentFolder() const override;
  std::optional<std::string> ReadFile(const std::string& path) override;
  RegularFileRead ReadRegularFile(const std::string& path, std::uint64_t limit) override;
  std::string FullPath(const std::string& path) const override;
  std::vector<std::string> FilesIn(const std::string& folder, const std::string& pattern) override;
  bool WriteFileAtomic(const std::string& path, const std::string& content) override;
  bool WriteFileNew(const std::string& path, const std::string& content) override;
  bool DeleteFile(const std::string& path) override;
  DriveKind KindOfDrive(char letter) override;
  std::optional<SystemFolderViews> SystemFolders() override;
  std::optional<std::string> EnvironmentVariable(const std::string& name) override;
};
