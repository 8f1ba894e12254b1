#pragma once
// The file seam of an offline scan on Linux. What the registry names
// (Windows paths, bare names looked up along the search order) is judged
// against the Windows volume; the program's own files (the knowledge base,
// the results file, an absolute Linux path or one relative to the current
// folder) are Linux files. A drive other than the volume's cannot be told:
// it is reported absent, which the scan never counts as missing.
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/offline/volume_files.h"

class OfflineFileSystem : public FileSystem {
 public:
  // windows_folder: the installation's Windows folder ("C:\Windows").
  OfflineFileSystem(VolumeFiles& volume, std::string windows_folder)
      : volume_(volume), windows_(std::move(windows_folder)) {}

  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  // On the volume a listing answers for certain; another drive or a share
  // cannot be told.
  Presence EntryPresence(const std::string& path) override;
  Presence FolderPresence(const std::string& path) override;
  // Bare names: System32, System, the Windows folder, then SysWOW64 (the
  // 32-bit programs' system folder), as a program of that installation
  // finds them; the program's own folder and current folder are not on
  // the volume.
  std::optional<std::string> SearchPath(const std::string& name) override;
  std::string ExeFolder() override;
  std::string TempFolder() override;
  std::string CurrentFolder() const override;
  std::optional<std::string> ReadFile(const std::string& path) override;
  // The program's own files only: an offline scan neither backs up nor restores.
  RegularFileRead ReadRegularFile(const std::string& path, std::uint64_t limit) override;
  std::string FullPath(const std::string& path) const override { return path; }
  std::vector<std::string> FilesIn(const std::string&, const std::string&) override { return {}; }
  bool WriteFileAtomic(const std::string& path, const std::string& content) override;
  bool WriteFileNew(const std::string& path, const std::string& content) override;
  bool DeleteFile(const std::string& path) override;
  DriveKind KindOfDrive(char letter) override;
  std::optional<SystemFolderViews> SystemFolders() override;
  // Only what the installation's Windows folder tells (SystemRoot, windir,
  // SystemDrive); any other variable of that machine is unknown here, and
  // a path through it cannot be told.
  std::optional<std::string> EnvironmentVariable(const std::string& name) override;

 private:
  // The one decision of where a path is looked for: on the volume (a
  // Windows path, or a path relative to the volume's root) or on Linux.
  bool OnVolume(const std::string& path) const;
  std::string OnVolumeRoot(const std::string& path) const;
  Presence Judge(const std::string& path, VolumeFiles::Kind wanted);
  // The content in a temporary file beside the path; its name, or empty.
  std::string WriteTemporary(const std::string& path, const std::string& content);

  VolumeFiles& volume_;
  std::string windows_;
};
