#pragma once
// Whether a file or folder named in the registry is there, as a scan judges
// it. A name on a drive that may simply be away (removable, optical,
// network, absent), on a share, or relative to a folder nobody knows (no
// drive, or a drive without its root) cannot be told missing: it is not
// looked up at all, since nothing may wait on a network. On 64-bit Windows
// a name under the system folder is looked for in both its views, so that
// a file of either width is found by a program of either width, and one
// under "Sysnative" (the 32-bit programs' name of the native folder) in
// the native folder.
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "platform/files.h"

class FileLookup {
 public:
  explicit FileLookup(FileSystem& files) : files_(files) {}

  // Forgets what earlier look-ups found: the next scan asks again.
  void Reset();
  // Forgets the files and folders found, but not what kind each drive is
  // nor where the system folders are.
  void ForgetNames() { searched_.clear(); }
  // The system search order for a name (a bare name, or a path looked up as
  // it stands), each distinct name looked up once until Reset.
  Presence Search(const std::string& name);
  // A folder, named exactly as it stands.
  Presence Folder(const std::string& path);

 private:
  bool MayBeJudged(const std::string& path);
  // The name as each view of the system folder holds it; none when the
  // name is neither under the system folder nor a bare name.
  std::optional<std::pair<std::string, std::string>> InBothViews(const std::string& name);
  // The rest of the name after "<Windows folder>\<folder>" ("" when it
  // is that folder); none when the name is not under it.
  std::optional<std::string> Under(const std::string& name, const char* folder);
  // The name in the native system folder, as this program reaches it, of
  // a name under "Sysnative"; none for any other name.
  std::optional<std::string> SysnativeTarget(const std::string& name);
  template <typename Look>
  Presence InEitherView(const std::string& name, Look look);

  FileSystem& files_;
  std::unordered_map<std::string, Presence> searched_;
  std::map<char, bool> judged_drives_;
  std::optional<std::optional<SystemFolderViews>> views_;  // asked once
};
