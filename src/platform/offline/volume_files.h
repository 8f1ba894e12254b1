#pragma once
// The files of a Windows volume seen from Linux: a mounted NTFS volume or a
// folder laid out as one. Windows paths on the volume's drive letter map to
// the folder; names match without regard to letter case, as on Windows,
// even where the Linux file system tells case apart. Each folder is listed
// once and its listing kept.
#include <map>
#include <optional>
#include <string>

class VolumeFiles {
 public:
  enum class Kind { kFile, kFolder };
  // root: the volume's folder on Linux; drive: the letter Windows gave it.
  VolumeFiles(std::string root, char drive) : root_(std::move(root)), drive_(drive) {}

  char Drive() const { return drive_; }
  // What a full Windows path ("C:\Windows\notepad.exe", either slash) names
  // on the volume; none when nothing is there or the path is not on the
  // volume's drive.
  std::optional<Kind> Look(const std::string& windows_path);
  // The Linux path of what a Windows path names, when it is there.
  std::optional<std::string> HostPath(const std::string& windows_path);

 private:
  // The name of the entry of a Linux folder that matches the name as
  // Windows matches it; none when no entry does.
  std::optional<std::string> EntryNamed(const std::string& folder, const std::string& name);

  std::string root_;
  char drive_;
  // Linux folder -> folded entry name -> entry name as stored.
  std::map<std::string, std::map<std::u16string, std::string>> listings_;
};
