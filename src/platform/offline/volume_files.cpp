#include "platform/offline/volume_files.h"

#include <filesystem>
#include <vector>

#include "platform/case_fold.h"
#include "platform/code_page.h"
#include "platform/offline/hive_names.h"

namespace {

std::optional<std::u16string> FoldedName(const std::string& name) {
  const std::optional<std::u16string> wide = Utf8CodePage().ToWide(name);
  if (!wide) return std::nullopt;
  return FoldName(*wide);
}

// The components of a full path on that drive, "." and ".." folded and, as
// Windows does, trailing dots and blanks of each name dropped; none for a
// path elsewhere.
std::optional<std::vector<std::string>> Components(const std::string& path, char drive) {
  if (path.size() < 3 || FoldCase(path[0]) != FoldCase(drive) || path[1] != ':' || (path[2] != '\\' && path[2] != '/'))
    return std::nullopt;
  std::vector<std::string> components;
  std::string name;
  const auto take = [&] {
    if (name == "..") {
      if (!components.empty()) components.pop_back();
    } else if (name != ".") {
      while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
      if (!name.empty()) components.push_back(name);
    }
    name.clear();
  };
  for (std::size_t i = 3; i < path.size(); ++i) {
    if (path[i] == '\\' || path[i] == '/')
      take();
    else
      name += path[i];
  }
  take();
  return components;
}

}  // namespace

std::optional<std::string> VolumeFiles::EntryNamed(const std::string& folder, const std::string& name) {
  auto listing = listings_.find(folder);
  if (listing == listings_.end()) {
    std::map<std::u16string, std::string> entries;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
      const std::string entry = it->path().filename().string();
      if (const std::optional<std::u16string> folded = FoldedName(entry)) entries.emplace(*folded, entry);
    }
    listing = listings_.emplace(folder, std::move(entries)).first;
  }
  const std::optional<std::u16string> folded = FoldedName(name);
  if (!folded) return std::nullopt;
  const auto found = listing->second.find(*folded);
  if (found == listing->second.end()) return std::nullopt;
  return found->second;
}

std::optional<std::string> VolumeFiles::HostPath(const std::string& windows_path) {
  const std::optional<std::vector<std::string>> components = Components(windows_path, drive_);
  if (!components) return std::nullopt;
  std::string host = root_;
  for (const std::string& component : *components) {
    const std::optional<std::string> entry = EntryNamed(host, component);
    if (!entry) return std::nullopt;
    host += "/" + *entry;
  }
  return host;
}

std::optional<VolumeFiles::Kind> VolumeFiles::Look(const std::string& windows_path) {
  const std::optional<std::string> host = HostPath(windows_path);
  if (!host) return std::nullopt;
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(*host, error);
  if (error) return std::nullopt;
  if (std::filesystem::is_directory(status)) return Kind::kFolder;
  if (std::filesystem::is_regular_file(status)) return Kind::kFile;
  return std::nullopt;
}
