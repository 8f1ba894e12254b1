#pragma once
// An in-memory file system, the double of the system's for the tests, the
// benchmark and the fuzz targets: files and folders under Windows paths
// (letter case ignored, "/" taken as "\"), with the folders the system
// search order walks. Paths are resolved as Windows resolves them: relative
// to the current folder, "C:name" on the current folder of its drive, "\name"
// at the root of the current drive, "." and ".." folded, trailing dots and
// blanks of the last component dropped.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file_presence.h"
#include "platform/files.h"

class MemoryFileSystem : public FileSystem {
 public:
  // Starts with the folders C:\, C:\WINDOWS, C:\WINDOWS\SYSTEM32, C:\TEMP and
  // C:\Program Files\Tarnel (the executable's folder); current folder C:\.
  MemoryFileSystem();

  // Creates the file (and its missing folders) or replaces its content.
  void AddFile(const std::string& path, const std::string& content = "");
  // Creates the folder and its missing parents.
  void AddFolder(const std::string& path);
  // Each of these folders is created when it does not exist yet; the PATH
  // folders are taken as they are.
  void SetExeFolder(const std::string& folder);
  void SetCurrentFolder(const std::string& folder);
  void SetSystemFolder(const std::string& folder);
  void SetWindowsFolder(const std::string& folder);
  void SetTempFolder(const std::string& folder);
  void SetPathFolders(const std::vector<std::string>& folders);
  // While a file is locked, writing and deleting it fail, as when another
  // program holds it open.
  void SetLocked(const std::string& path, bool locked);
  // Every look-up of the path and of anything below it answers this
  // system error code, as a folder that denies traverse (access denied) or
  // a device that is not ready would; 0 takes it back. A sharing violation
  // (a file in use) hides only the file's attributes: its folder's listing
  // still shows it.
  void SetLookupError(const std::string& path, unsigned long error);
  void SetVariable(const std::string& name, const std::string& value);
  // A drive letter's kind. Unless set, a drive that holds anything is fixed
  // and any other is absent.
  void SetDriveKind(char letter, DriveKind kind);
  // Makes it 64-bit Windows, seen by a program of the given width: a
  // second system folder, SysWOW64 beside System32; for a 32-bit program
  // every look-up under System32 goes to SysWOW64 and one under Sysnative
  // to System32, as the system redirects them. Files are added where they
  // physically lie.
  void SetSixtyFourBitWindows(bool thirty_two_bit_program);

  // Names of the files directly in a folder, in folded-name order.
  std::vector<std::string> FileNamesIn(const std::string& folder) const;

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
  // As Windows resolves it (above); empty for a path it cannot resolve (UNC).
  std::string FullPath(const std::string& path) const override;
  std::vector<std::string> FilesIn(const std::string& folder, const std::string& pattern) override;
  bool WriteFileAtomic(const std::string& path, const std::string& content) override;
  bool WriteFileNew(const std::string& path, const std::string& content) override;
  bool DeleteFile(const std::string& path) override;
  DriveKind KindOfDrive(char letter) override;
  std::optional<SystemFolderViews> SystemFolders() override;
  std::optional<std::string> EnvironmentVariable(const std::string& name) override;

 private:
  struct File {
    std::string name;  // as first written
    std::string content;
  };

  bool Exists(const std::string& full_path) const;
  // The attribute read (listing false) or the folder listing of a path.
  EntryProbe Probe(const std::string& path, bool listing) const;
  Presence Judge(const std::string& path, bool folder_wanted) const;
  // Where a 32-bit program's look-up of a full path lands.
  std::string Redirected(const std::string& full_path) const;
  // Creates the folder and its parents; returns its full path.
  std::string MakeFolder(const std::string& path);

  std::map<std::string, File> files_;  // folded full path -> file
  std::set<std::string> folders_;      // folded full paths
  std::set<std::string> locked_;       // folded full paths
  std::map<char, DriveKind> drive_kinds_;  // folded letters
  std::map<std::string, unsigned long> lookup_errors_;  // folded full paths
  std::map<std::string, std::string> variables_;        // folded names
  bool sixty_four_bit_ = false;
  bool thirty_two_bit_program_ = false;
  // Full paths.
  std::string exe_, current_, system_, windows_, temp_;
  std::vector<std::string> path_folders_;
};
