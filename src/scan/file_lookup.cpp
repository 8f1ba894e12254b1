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
  if (IsBareName(path)) return true;  // the search order's folders
  if (IsNetworkOrDevicePath(path) || !HasDriveLetter(path) || path.size() < 3 || !IsSeparator(path[2]))
    return false;
  const char letter = FoldCase(path[0]);
  auto [entry, inserted] = judged_drives_.try_emplace(letter, false);
  if (inserted) entry->second = files_.KindOfDrive(letter) == DriveKind::kFixed;
  return entry->second;
}

std::optional<std::string> FileLookup::Under(const std::string& name, const char* folder) {
  if (!views_) views_ = files_.SystemFolders();
  if (!*views_) return std::nullopt;
  const std::string prefix = (*views_)->windows + "\\" + folder;
  if (name.size() < prefix.size() || (name.size() > prefix.size() && !IsSeparator(name[prefix.size()])) ||
      !EqualsNoCase(std::string_view(name).substr(0, prefix.size()), prefix))
    return std::nullopt;
  return name.substr(prefix.size());
}

std::optional<std::string> FileLookup::SysnativeTarget(const std::string& name) {
  const std::optional<std::string> rest = Under(name, "Sysnative");
  if (!rest) return std::nullopt;
  return (*views_)->native + *rest;
}

std::optional<std::pair<std::string, std::string>> FileLookup::InBothViews(const std::string& name) {
  if (!views_) views_ = files_.SystemFolders();
  if (!*views_) return std::nullopt;
  const SystemFolderViews& views = **views_;
  if (IsBareName(name)) return std::pair{views.native + "\\" + name, views.wow64 + "\\" + name};
  const std::optional<std::string> rest = Under(name, "System32");
  if (!rest || rest->empty()) return std::nullopt;
  return std::pair{views.native + *rest, views.wow64 + *rest};
}

template <typename Look>
Presence FileLookup::InEitherView(const std::string& name, Look look) {
  if (const std::optional<std::string> native = SysnativeTarget(name)) return look(*native);
  const Presence as_named = look(name);
  if (as_named != Presence::kMissing) return as_named;
  const auto both = InBothViews(name);
  if (!both) return as_named;
  const Presence native = look(both->first);
  if (native == Presence::kFound) return native;
  const Presence wow64 = look(both->second);
  return wow64 == Presence::kMissing ? native : wow64;
}

Presence FileLookup::Search(const std::string& name) {
  if (!MayBeJudged(name)) return Presence::kCannotTell;
  auto [entry, inserted] = searched_.try_emplace(name, Presence::kMissing);
  if (!inserted) return entry->second;
  entry->second = InEitherView(name, [this](const std::string& each) {
    if (!IsBareName(each)) return files_.EntryPresence(each);
    return files_.SearchPath(each) ? Presence::kFound : Presence::kMissing;
  });
  return entry->second;
}

Presence FileLookup::Folder(const std::string& path) {
  if (!MayBeJudged(path) || IsBareName(path)) return Presence::kCannotTell;
  return InEitherView(path,
                      [this](const std::string& each) { return files_.FolderPresence(each); });
}
