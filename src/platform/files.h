#pragma once
// The file-system seam. Paths are Windows paths (backslashes, drive letters,
// letter case ignored); a relative path is taken relative to the current
// folder at the moment of the call.
//
// <windows.h> defines SearchPath and DeleteFile as macros: a file that
// includes it together with this header must #undef both after it.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// When <windows.h> came first, its macros would rename the members below.
#undef SearchPath
#undef DeleteFile

// Whether something is there, as far as the system lets one see: a look-up
// that fails for any reason but "not there" cannot tell.
enum class Presence { kFound, kMissing, kCannotTell };

// What kind of drive a drive letter names, as the system tells it.
enum class DriveKind { kFixed, kRemovable, kOptical, kNetwork, kRamDisk, kAbsent };

// On 64-bit Windows the system folder has two file-system views: the
// native one and the 32-bit programs' one. The folders (no trailing
// backslash) by which this program reaches each.
struct SystemFolderViews {
  std::string windows;  // the Windows folder
  std::string native;   // "...\System32" from a 64-bit program, "...\Sysnative" from a 32-bit one
  std::string wow64;    // "...\SysWOW64"
};

// A file read only when it is a regular file on a disk (never a device, a
// pipe or a folder), and never more of it than a limit.
struct RegularFileRead {
  enum class Kind { kMissing, kRegular, kNotAFile };
  Kind kind = Kind::kMissing;
  std::string bytes;  // kRegular: the first limit + 1 bytes at most (more than limit: it is larger)
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual bool FileExists(const std::string& path) = 0;  // a file, not a folder
  virtual bool DirectoryExists(const std::string& path) = 0;
  // A file or folder (EntryPresence) or a folder (FolderPresence) at a path
  // with a drive: missing only when the system answers that it or a folder
  // on its way is not there; any other failure (access denied, a name the
  // file system rejects, a file in use...) cannot tell. Paths of any length.
  virtual Presence EntryPresence(const std::string& path) = 0;
  virtual Presence FolderPresence(const std::string& path) = 0;
  // The system search order for a name (SearchPathA with no path and no
  // extension): a name with a folder part (a backslash, a slash or a drive)
  // is looked up as it stands, a bare name along the executable's folder, the
  // current folder, the system folders, the Windows folder and PATH. Folders
  // count. Returns the full name found.
  virtual std::optional<std::string> SearchPath(const std::string& name) = 0;
  // Folder of the running executable, with a trailing backslash.
  virtual std::string ExeFolder() = 0;
  // The temporary folder, with a trailing backslash; empty when unknown.
  virtual std::string TempFolder() = 0;
  // The process's current folder, with a trailing backslash.
  virtual std::string CurrentFolder() const = 0;
  // The whole content of a file; nothing when it is missing or unreadable.
  virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
  // See RegularFileRead. Device names are refused by name before this
  // (device_names.h): opening one may wait for ever.
  virtual RegularFileRead ReadRegularFile(const std::string& path, std::uint64_t limit) = 0;
  // The path made absolute against the current folder, "." and ".." folded.
  virtual std::string FullPath(const std::string& path) const = 0;
  // The files (not folders) of a folder whose names match a pattern such
  // as "*.reg": full paths; none when the folder cannot be listed.
  virtual std::vector<std::string> FilesIn(const std::string& folder, const std::string& pattern) = 0;
  // Replaces the file atomically: a temporary file beside it, then a rename,
  // so that a failed write leaves the old file as it was. False on failure.
  virtual bool WriteFileAtomic(const std::string& path, const std::string& content) = 0;
  // Creates the file whole under a name nobody holds: the same temporary
  // file, then a rename that never replaces, made durable before it
  // returns. False when the name is taken (by a file that appeared at any
  // moment until the rename) or the write failed; no temporary file stays.
  virtual bool WriteFileNew(const std::string& path, const std::string& content) = 0;
  // False when no file was deleted.
  virtual bool DeleteFile(const std::string& path) = 0;
  // The kind of the drive of that letter (either case); kAbsent when no
  // drive has it.
  virtual DriveKind KindOfDrive(char letter) = 0;
  // None on a system with one view.
  virtual std::optional<SystemFolderViews> SystemFolders() = 0;
  // A variable of the process's environment (letter case ignored); none
  // when it is not set.
  virtual std::optional<std::string> EnvironmentVariable(const std::string& name) = 0;
};
