#pragma once
// The hives of a Windows installation on a volume seen from Linux, opened
// where Windows shows them: SOFTWARE as HKEY_LOCAL_MACHINE\Software, a
// user's NTUSER.DAT as HKEY_CURRENT_USER and UsrClass.dat as
// HKEY_CURRENT_USER\Software\Classes, with the classes root merged from both
// classes keys as Windows merges it.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/offline/hive_file.h"
#include "platform/offline/hive_registry.h"
#include "platform/offline/volume_files.h"

class OfflineWindows {
 public:
  // root: the volume's folder on Linux. Throws HiveError naming the hive
  // when the SOFTWARE hive is there but cannot be used.
  OfflineWindows(const std::string& root, bool ignore_logs, const CodePage& program);

  VolumeFiles& Volume() { return *volume_; }
  // "C:\Windows", as the installation names its Windows folder.
  const std::string& WindowsFolder() const { return windows_folder_; }
  // The profiles to scan in turn: the folders under Users that hold an
  // NTUSER.DAT, those the SOFTWARE hive's ProfileList names first.
  std::vector<std::string> Profiles();
  // The machine's hives with those of one user (none: the machine's only).
  // Throws HiveError naming the hive when a hive that is there cannot be
  // used. hives: what was opened, and what was not there.
  std::unique_ptr<HiveRegistry> RegistryFor(const std::optional<std::string>& user, std::vector<HiveReport>& hives);

 private:
  std::string HivePath(const std::string& windows_path);

  std::unique_ptr<VolumeFiles> volume_;
  bool ignore_logs_;
  const CodePage& program_;
  std::string root_;
  HiveReport software_report_;
  std::shared_ptr<const Hive> software_;
  std::string windows_folder_ = "C:\\Windows";
};
