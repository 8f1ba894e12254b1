#include "scan/file_lookup.h"

#include <cctype>

#include "platform/case_fold.h"

namespace {

bool HasDriveLetter(const std::string& path) {
  return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// A share ("\\server\share\...") or a device path: both reach beyond the
// local fixed drives.
bool IsNetworkOrDevicePath(const std::string& path) {
  return path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
}

bool IsBareName(const std::string& name) {
  return name.find_first_of("\\/:") == std::string::npos;
}

}  // namespace

void FileLookup::Reset() {
  searched_.clear();
  judged_drives_.clear();
  views_.reset();
}

bool FileLookup::MayBeJudged(const std::string& path) {
  if (IsNetworkOrDevicePath(path)) return false;
  if (!HasDriveLetter(path)) return true;  // the current drive, or the search order's folders
  const char letter = FoldCase(path[0]);
  auto [entry, inserted] = judged_drives_.try_emplace(letter, false);
  if (inserted) entry->second = files_.KindOfDrive(letter) == DriveKind::kFixed;
  return entry->second;
}

std::optional<std::pair<std::string, std::string>> FileLookup::InBothViews(const std::string& name) {
  if (!views_) views_ = files_.SystemFolders();
  if (!*views_) return std::nullopt;
  const SystemFolderViews& views = **views_;
  if (IsBareName(name)) return std::pair{views.native + "\\" + name, views.wow64 + "\\" + name};
  const std::string system_folder = views.windows + "\\System32";
  if (name.size() <= system_folder.size() + 1 || !IsSeparator(name[system_folder.size()]) ||
      !EqualsNoCase(std::string_view(name).substr(0, system_folder.size()), system_folder))
    return std::nullopt;
  const std::string rest = name.substr(system_folder.size());
  return std::pair{views.native + rest, views.wow64 + rest};
}

Presence FileLookup::Search(const std::string& name) {
  if (!MayBeJudged(name)) return Presence::kCannotTell;
  auto [entry, inserted] = searched_.try_emplace(name, Presence::kMissing);
  if (!inserted) return entry->second;
  bool found = files_.SearchPath(name).has_value();
  if (!found) {
    if (const auto both = InBothViews(name))
      found = files_.SearchPath(both->first).has_value() || files_.SearchPath(both->second).has_value();
  }
  entry->second = found ? Presence::kFound : Presence::kMissing;
  return entry->second;
}

Presence FileLookup::Folder(const std::string& path) {
  if (!MayBeJudged(path)) return Presence::kCannotTell;
  if (files_.DirectoryExists(path)) return Presence::kFound;
  if (!IsBareName(path)) {
    if (const auto both = InBothViews(path))
      if (files_.DirectoryExists(both->first) || files_.DirectoryExists(both->second)) return Presence::kFound;
  }
  return Presence::kMissing;
}
