#include "platform/offline/offline_files.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/case_fold.h"

namespace {

bool HasDriveLetter(const std::string& path) { return path.size() >= 2 && path[1] == ':'; }

std::string WithSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace

bool OfflineFileSystem::OnVolume(const std::string& path) const {
  return HasDriveLetter(path) || path.find('\\') != std::string::npos;
}

std::string OfflineFileSystem::OnVolumeRoot(const std::string& path) const {
  if (HasDriveLetter(path)) return path;
  // "\name" and relative names start at the root of the system drive,
  // the current folder of a program started there.
  return std::string(1, volume_.Drive()) + ":\\" + (path.empty() || path[0] != '\\' ? path : path.substr(1));
}

bool OfflineFileSystem::FileExists(const std::string& path) {
  if (OnVolume(path)) return volume_.Look(OnVolumeRoot(path)) == VolumeFiles::Kind::kFile;
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

bool OfflineFileSystem::DirectoryExists(const std::string& path) {
  if (OnVolume(path)) return volume_.Look(OnVolumeRoot(path)) == VolumeFiles::Kind::kFolder;
  std::error_code error;
  return std::filesystem::is_directory(path, error);
}

Presence OfflineFileSystem::Judge(const std::string& path, VolumeFiles::Kind wanted) {
  if (!OnVolume(path)) {
    std::error_code error;
    const bool there = wanted == VolumeFiles::Kind::kFolder ? std::filesystem::is_directory(path, error)
                                                            : std::filesystem::exists(path, error);
    return there ? Presence::kFound : Presence::kMissing;
  }
  if (HasDriveLetter(path) && FoldCase(path[0]) != FoldCase(volume_.Drive())) return Presence::kCannotTell;
  if (path.rfind("\\\\", 0) == 0) return Presence::kCannotTell;
  const std::optional<VolumeFiles::Kind> kind = volume_.Look(OnVolumeRoot(path));
  if (!kind) return Presence::kMissing;
  return wanted == VolumeFiles::Kind::kFolder && *kind != wanted ? Presence::kMissing : Presence::kFound;
}

Presence OfflineFileSystem::EntryPresence(const std::string& path) { return Judge(path, VolumeFiles::Kind::kFile); }

Presence OfflineFileSystem::FolderPresence(const std::string& path) {
  return Judge(path, VolumeFiles::Kind::kFolder);
}

std::optional<std::string> OfflineFileSystem::SearchPath(const std::string& name) {
  if (name.empty()) return std::nullopt;
  if (name.find_first_of("\\/:") != std::string::npos) {
    const std::string full = OnVolumeRoot(name);
    if (volume_.Look(full)) return full;
    return std::nullopt;
  }
  for (const std::string& folder : {windows_ + "\\System32", windows_ + "\\System", windows_, windows_ + "\\SysWOW64"}) {
    const std::string full = folder + "\\" + name;
    if (volume_.Look(full)) return full;
  }
  return std::nullopt;
}

std::string OfflineFileSystem::ExeFolder() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? CurrentFolder() : WithSlash(exe.parent_path().string());
}

std::string OfflineFileSystem::TempFolder() {
  const char* tmp = std::getenv("TMPDIR");
  return WithSlash(tmp && *tmp ? tmp : "/tmp");
}

std::string OfflineFileSystem::CurrentFolder() const {
  std::error_code error;
  const std::filesystem::path current = std::filesystem::current_path(error);
  return error ? "./" : WithSlash(current.string());
}

std::optional<std::string> OfflineFileSystem::ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return content.str();
}

std::string OfflineFileSystem::WriteTemporary(const std::string& path, const std::string& content) {
  const std::string temporary = path + ".pid-" + std::to_string(getpid()) + ".tmp";
  std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
  if (!out || !out.write(content.data(), static_cast<std::streamsize>(content.size())) || !out.flush()) {
    std::remove(temporary.c_str());
    return "";
  }
  return temporary;
}

RegularFileRead OfflineFileSystem::ReadRegularFile(const std::string& path, std::uint64_t limit) {
  std::optional<std::string> bytes = ReadFile(path);
  if (!bytes) return {};
  if (bytes->size() > limit) bytes->resize(static_cast<std::size_t>(limit) + 1);
  return {RegularFileRead::Kind::kRegular, std::move(*bytes)};
}

bool OfflineFileSystem::WriteFileAtomic(const std::string& path, const std::string& content) {
  const std::string temporary = WriteTemporary(path, content);
  if (temporary.empty()) return false;
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

bool OfflineFileSystem::WriteFileNew(const std::string& path, const std::string& content) {
  const std::string temporary = WriteTemporary(path, content);
  if (temporary.empty()) return false;
  // A hard link is made only under a name nobody holds.
  const bool made = link(temporary.c_str(), path.c_str()) == 0;
  std::remove(temporary.c_str());
  return made;
}

bool OfflineFileSystem::DeleteFile(const std::string& path) { return std::remove(path.c_str()) == 0; }

DriveKind OfflineFileSystem::KindOfDrive(char letter) {
  return FoldCase(letter) == FoldCase(volume_.Drive()) ? DriveKind::kFixed : DriveKind::kAbsent;
}

std::optional<SystemFolderViews> OfflineFileSystem::SystemFolders() {
  const std::string wow64 = windows_ + "\\SysWOW64";
  if (volume_.Look(wow64) != VolumeFiles::Kind::kFolder) return std::nullopt;
  return SystemFolderViews{windows_, windows_ + "\\System32", wow64};
}

std::optional<std::string> OfflineFileSystem::EnvironmentVariable(const std::string& name) {
  const std::string folded = FoldCase(name);
  if (folded == "systemroot" || folded == "windir") return windows_;
  if (folded == "systemdrive") return windows_.substr(0, 2);
  return std::nullopt;
}
