#include "platform/offline/offline_hives.h"

#include <filesystem>

#include "platform/case_fold.h"

namespace {

constexpr RootKey kCurrentUser = 0x80000001u;
constexpr RootKey kLocalMachine = 0x80000002u;

std::string LastComponent(const std::string& path) {
  const std::size_t at = path.find_last_of("\\/");
  return at == std::string::npos ? path : path.substr(at + 1);
}

// The value as text, when the key and value are there.
std::optional<std::string> TextValue(Registry& registry, const std::string& key, const std::string& name) {
  const std::unique_ptr<RegKey> opened = registry.OpenRead(kLocalMachine, key);
  if (!opened) return std::nullopt;
  const std::optional<RegValue> value = opened->QueryValue(name);
  if (!value || (value->type != kRegSz && value->type != kRegExpandSz)) return std::nullopt;
  std::string text(value->data.begin(), value->data.end());
  text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
  return text;
}

constexpr const char* kCurrentVersion = "Software\\Microsoft\\Windows NT\\CurrentVersion";

}  // namespace

OfflineWindows::OfflineWindows(const std::string& root, bool ignore_logs, const CodePage& program)
    : volume_(std::make_unique<VolumeFiles>(root, 'C')), ignore_logs_(ignore_logs), program_(program), root_(root) {
  software_report_.role = "HKEY_LOCAL_MACHINE\\Software";
  software_report_.path = HivePath("C:\\Windows\\System32\\config\\SOFTWARE");
  if (!software_report_.path.empty()) {
    software_report_.present = true;
    software_ = OpenHiveFile(software_report_, ignore_logs_);
    HiveRegistry machine(program_);
    machine.Mount(kLocalMachine, "Software", software_);
    const std::optional<std::string> system_root = TextValue(machine, kCurrentVersion, "SystemRoot");
    if (system_root && system_root->size() > 3 && (*system_root)[1] == ':') {
      windows_folder_ = *system_root;
      volume_ = std::make_unique<VolumeFiles>(root, (*system_root)[0]);
    }
  } else {
    software_report_.path = root + "/Windows/System32/config/SOFTWARE";
  }
}

std::string OfflineWindows::HivePath(const std::string& windows_path) {
  return volume_->Look(windows_path) == VolumeFiles::Kind::kFile ? volume_->HostPath(windows_path).value_or("") : "";
}

std::vector<std::string> OfflineWindows::Profiles() {
  std::vector<std::string> profiles;
  const auto add = [&](const std::string& name) {
    if (name.empty() || HivePath(std::string(1, volume_->Drive()) + ":\\Users\\" + name + "\\NTUSER.DAT").empty())
      return;
    for (const std::string& known : profiles)
      if (EqualsNoCase(known, name)) return;
    profiles.push_back(name);
  };
  if (software_) {
    HiveRegistry machine(program_);
    machine.Mount(kLocalMachine, "Software", software_);
    const std::string list = std::string(kCurrentVersion) + "\\ProfileList";
    if (const std::unique_ptr<RegKey> key = machine.OpenRead(kLocalMachine, list))
      for (const std::string& sid : key->SubkeyNames())
        if (const auto path = TextValue(machine, list + "\\" + sid, "ProfileImagePath")) add(LastComponent(*path));
  }
  if (const std::optional<std::string> users = volume_->HostPath(std::string(1, volume_->Drive()) + ":\\Users")) {
    std::error_code error;
    for (std::filesystem::directory_iterator it(*users, error), end; !error && it != end; it.increment(error))
      add(it->path().filename().string());
  }
  return profiles;
}

std::unique_ptr<HiveRegistry> OfflineWindows::RegistryFor(const std::optional<std::string>& user,
                                                         std::vector<HiveReport>& hives) {
  auto registry = std::make_unique<HiveRegistry>(program_);
  hives = {software_report_};
  if (software_) {
    registry->Mount(kLocalMachine, "Software", software_);
    registry->SetTwoViews(registry->OpenRead(kLocalMachine, "Software\\Wow6432Node") != nullptr);
  }
  if (user) {
    const std::string profile = std::string(1, volume_->Drive()) + ":\\Users\\" + *user;
    const struct {
      const char* file;
      const char* role;
      const char* at;
    } user_hives[] = {{"\\NTUSER.DAT", "HKEY_CURRENT_USER", ""},
                      {"\\AppData\\Local\\Microsoft\\Windows\\UsrClass.dat", "HKEY_CURRENT_USER\\Software\\Classes",
                       "Software\\Classes"}};
    for (const auto& each : user_hives) {
      HiveReport report;
      report.role = each.role;
      report.path = HivePath(profile + each.file);
      report.present = !report.path.empty();
      if (report.present) {
        registry->Mount(kCurrentUser, each.at, OpenHiveFile(report, ignore_logs_));
      } else {
        report.path = root_ + "/Users/" + *user + each.file;
        for (char& c : report.path) c = c == '\\' ? '/' : c;
      }
      hives.push_back(report);
    }
  }
  registry->MergeClassesRoot();
  return registry;
}
