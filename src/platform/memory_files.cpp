#include "platform/memory_files.h"

#include <algorithm>
#include <cctype>

#include "platform/case_fold.h"

namespace {

std::string WithBackslash(const std::string& folder) {
  return folder.ends_with('\\') ? folder : folder + "\\";
}

// The folder holding a full path; empty for a drive root.
std::string ParentOf(const std::string& full_path) {
  if (full_path.ends_with('\\')) return {};
  const std::size_t last = full_path.rfind('\\');
  return last == 2 ? full_path.substr(0, 3) : full_path.substr(0, last);
}

bool HasDrive(const std::string& path) {
  return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

// The system search takes such names as they stand; any other name, even one
// with a folder in it, is tried in every folder of the search order.
bool IsLookedUpAsItStands(const std::string& name) {
  if (HasDrive(name) || name.starts_with('\\') || name.starts_with('/')) return true;
  auto is_separator = [&](std::size_t i) { return i < name.size() && (name[i] == '\\' || name[i] == '/'); };
  return name.starts_with('.') && (is_separator(1) || (name.size() > 1 && name[1] == '.' && is_separator(2)));
}

// "*" any run of characters, "?" one; letter case ignored.
bool MatchesPattern(std::string_view name, std::string_view pattern) {
  if (pattern.empty()) return name.empty();
  if (pattern[0] == '*')
    return MatchesPattern(name, pattern.substr(1)) || (!name.empty() && MatchesPattern(name.substr(1), pattern));
  return !name.empty() && (pattern[0] == '?' || FoldCase(name[0]) == FoldCase(pattern[0])) &&
         MatchesPattern(name.substr(1), pattern.substr(1));
}

}  // namespace

MemoryFileSystem::MemoryFileSystem() {
  current_ = MakeFolder("C:\\");
  exe_ = MakeFolder("C:\\Program Files\\Tarnel");
  system_ = MakeFolder("C:\\WINDOWS\\SYSTEM32");
  windows_ = MakeFolder("C:\\WINDOWS");
  temp_ = MakeFolder("C:\\TEMP");
}

std::string MemoryFileSystem::FullPath(const std::string& path) const {
  std::string text = path;
  std::replace(text.begin(), text.end(), '/', '\\');
  // UNC names are not modelled; a zero byte would cut the name short.
  if (text.empty() || text.starts_with("\\\\") || text.find('\0') != std::string::npos) return {};
  std::string drive = current_.substr(0, 2);
  std::string rest = text;
  if (HasDrive(text)) {
    drive = text.substr(0, 2);
    rest = text.substr(2);
    const bool on_current_drive = EqualsNoCase(drive, current_.substr(0, 2));
    if (!rest.starts_with('\\') && on_current_drive) rest = current_.substr(2) + "\\" + rest;
  } else if (!text.starts_with('\\')) {
    rest = current_.substr(2) + "\\" + text;
  }
  std::vector<std::string> parts;
  std::size_t start = 0;
  std::string last;
  while (start <= rest.size()) {
    const std::size_t end = std::min(rest.find('\\', start), rest.size());
    last = rest.substr(start, end - start);
    if (last == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!last.empty() && last != ".") {
      parts.push_back(last);
    }
    start = end + 1;
  }
  // Windows drops trailing dots and blanks of the last component.
  if (!parts.empty() && parts.back() == last) {
    const std::size_t kept = parts.back().find_last_not_of(". ");
    if (kept == std::string::npos) parts.pop_back();
    else parts.back().resize(kept + 1);
  }
  std::string full = drive + "\\";
  for (std::size_t i = 0; i < parts.size(); ++i) full += (i ? "\\" : "") + parts[i];
  return full;
}

std::string MemoryFileSystem::MakeFolder(const std::string& path) {
  const std::string full = FullPath(path);
  for (std::string folder = full; !folder.empty(); folder = ParentOf(folder))
    folders_.insert(FoldCase(folder));
  return full;
}

std::string MemoryFileSystem::Redirected(const std::string& full_path) const {
  if (!sixty_four_bit_ || !thirty_two_bit_program_) return full_path;
  auto under = [&](const std::string& folder) {
    const std::string prefix = FoldCase(windows_ + "\\" + folder);
    const std::string key = FoldCase(full_path);
    return key == prefix || key.starts_with(prefix + "\\");
  };
  const std::size_t rest = windows_.size() + 1;
  if (under("System32")) return windows_ + "\\SysWOW64" + full_path.substr(rest + 8);
  if (under("Sysnative")) return windows_ + "\\System32" + full_path.substr(rest + 9);
  return full_path;
}

bool MemoryFileSystem::Exists(const std::string& full_path) const {
  const std::string key = FoldCase(Redirected(full_path));
  return files_.contains(key) || folders_.contains(key);
}

void MemoryFileSystem::AddFile(const std::string& path, const std::string& content) {
  const std::string full = FullPath(path);
  MakeFolder(ParentOf(full));
  File& file = files_[FoldCase(full)];
  if (file.name.empty()) file.name = full;
  file.content = content;
}

void MemoryFileSystem::AddFolder(const std::string& path) { MakeFolder(path); }
void MemoryFileSystem::SetExeFolder(const std::string& folder) { exe_ = MakeFolder(folder); }
void MemoryFileSystem::SetCurrentFolder(const std::string& folder) { current_ = MakeFolder(folder); }
void MemoryFileSystem::SetSystemFolder(const std::string& folder) { system_ = MakeFolder(folder); }
void MemoryFileSystem::SetWindowsFolder(const std::string& folder) { windows_ = MakeFolder(folder); }
void MemoryFileSystem::SetTempFolder(const std::string& folder) { temp_ = MakeFolder(folder); }

void MemoryFileSystem::SetPathFolders(const std::vector<std::string>& folders) {
  path_folders_.clear();
  for (const std::string& folder : folders) path_folders_.push_back(FullPath(folder));
}

void MemoryFileSystem::SetLocked(const std::string& path, bool locked) {
  const std::string key = FoldCase(FullPath(path));
  if (locked) locked_.insert(key);
  else locked_.erase(key);
}

std::string MemoryFileSystem::CurrentFolder() const { return WithBackslash(current_); }
std::string MemoryFileSystem::ExeFolder() { return WithBackslash(exe_); }
std::string MemoryFileSystem::TempFolder() { return WithBackslash(temp_); }

std::vector<std::string> MemoryFileSystem::FileNamesIn(const std::string& folder) const {
  const std::string key = FoldCase(FullPath(folder));
  std::vector<std::string> names;
  for (const auto& [file_key, file] : files_)
    if (ParentOf(file_key) == key) names.push_back(file.name.substr(file.name.rfind('\\') + 1));
  return names;
}

bool MemoryFileSystem::FileExists(const std::string& path) {
  return files_.contains(FoldCase(Redirected(FullPath(path))));
}

EntryProbe MemoryFileSystem::Probe(const std::string& path, bool listing) const {
  if (IsRejectedFileName(path)) return {file_error::kInvalidName};
  const std::string full = FullPath(path);
  if (full.empty()) return {file_error::kBadNetPath};
  const std::string key = FoldCase(Redirected(full));
  for (std::string at = key; !at.empty(); at = ParentOf(at)) {
    const auto error = lookup_errors_.find(at);
    if (error == lookup_errors_.end()) continue;
    if (!(listing && error->second == file_error::kSharingViolation)) return {error->second};
  }
  if (folders_.contains(key)) return {0, true};
  if (files_.contains(key)) return {0, false};
  return {folders_.contains(FoldCase(ParentOf(key))) ? file_error::kFileNotFound : file_error::kPathNotFound};
}

Presence MemoryFileSystem::Judge(const std::string& path, bool folder_wanted) const {
  return JudgeEntry(Probe(path, false), [&] { return Probe(path, true); }, folder_wanted);
}

Presence MemoryFileSystem::EntryPresence(const std::string& path) { return Judge(path, false); }
Presence MemoryFileSystem::FolderPresence(const std::string& path) { return Judge(path, true); }

void MemoryFileSystem::SetLookupError(const std::string& path, unsigned long error) {
  const std::string key = FoldCase(FullPath(path));
  if (error) lookup_errors_[key] = error;
  else lookup_errors_.erase(key);
}

void MemoryFileSystem::SetVariable(const std::string& name, const std::string& value) {
  variables_[FoldCase(name)] = value;
}

std::optional<std::string> MemoryFileSystem::EnvironmentVariable(const std::string& name) {
  const auto found = variables_.find(FoldCase(name));
  if (found == variables_.end()) return std::nullopt;
  return found->second;
}

bool MemoryFileSystem::DirectoryExists(const std::string& path) {
  const std::string full = FullPath(path);
  return !full.empty() && folders_.contains(FoldCase(Redirected(full)));
}

std::optional<std::string> MemoryFileSystem::SearchPath(const std::string& name) {
  if (name.empty()) return std::nullopt;
  if (IsLookedUpAsItStands(name)) {
    const std::string full = FullPath(name);
    if (!full.empty() && Exists(full)) return full;
    return std::nullopt;
  }
  std::vector<std::string> order = {exe_, current_, system_, windows_};
  order.insert(order.end(), path_folders_.begin(), path_folders_.end());
  for (const std::string& folder : order) {
    const std::string full = FullPath(WithBackslash(folder) + name);
    if (Exists(full)) return full;
  }
  return std::nullopt;
}

std::optional<std::string> MemoryFileSystem::ReadFile(const std::string& path) {
  const auto found = files_.find(FoldCase(Redirected(FullPath(path))));
  if (found == files_.end()) return std::nullopt;
  return found->second.content;
}

RegularFileRead MemoryFileSystem::ReadRegularFile(const std::string& path, std::uint64_t limit) {
  const std::string key = FoldCase(Redirected(FullPath(path)));
  if (folders_.contains(key)) return {RegularFileRead::Kind::kNotAFile, {}};
  const auto found = files_.find(key);
  if (found == files_.end()) return {};
  const std::string& content = found->second.content;
  const std::size_t taken = content.size() > limit ? static_cast<std::size_t>(limit) + 1 : content.size();
  return {RegularFileRead::Kind::kRegular, content.substr(0, taken)};
}

std::vector<std::string> MemoryFileSystem::FilesIn(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> files;
  const std::string full = FullPath(folder);
  if (full.empty()) return files;
  for (const std::string& name : FileNamesIn(full))
    if (MatchesPattern(name, pattern)) files.push_back(WithBackslash(full) + name);
  return files;
}

bool MemoryFileSystem::WriteFileAtomic(const std::string& path, const std::string& content) {
  const std::string full = FullPath(path);
  const std::string key = FoldCase(full);
  if (full.empty() || locked_.contains(key) || folders_.contains(key)) return false;
  const std::string parent = ParentOf(full);
  if (parent.empty() || !folders_.contains(FoldCase(parent))) return false;
  AddFile(full, content);
  return true;
}

bool MemoryFileSystem::WriteFileNew(const std::string& path, const std::string& content) {
  return !files_.contains(FoldCase(FullPath(path))) && WriteFileAtomic(path, content);
}

bool MemoryFileSystem::DeleteFile(const std::string& path) {
  const std::string key = FoldCase(FullPath(path));
  return !locked_.contains(key) && files_.erase(key) > 0;
}

void MemoryFileSystem::SetDriveKind(char letter, DriveKind kind) { drive_kinds_[FoldCase(letter)] = kind; }

DriveKind MemoryFileSystem::KindOfDrive(char letter) {
  const auto set = drive_kinds_.find(FoldCase(letter));
  if (set != drive_kinds_.end()) return set->second;
  const std::string drive = FoldCase(std::string{letter, ':', '\\'});
  return folders_.contains(drive) ? DriveKind::kFixed : DriveKind::kAbsent;
}

void MemoryFileSystem::SetSixtyFourBitWindows(bool thirty_two_bit_program) {
  sixty_four_bit_ = true;
  thirty_two_bit_program_ = thirty_two_bit_program;
  MakeFolder(windows_ + "\\SysWOW64");
  MakeFolder(windows_ + "\\System32");
}

std::optional<SystemFolderViews> MemoryFileSystem::SystemFolders() {
  if (!sixty_four_bit_) return std::nullopt;
  return SystemFolderViews{windows_, windows_ + (thirty_two_bit_program_ ? "\\Sysnative" : "\\System32"),
                           windows_ + "\\SysWOW64"};
}
