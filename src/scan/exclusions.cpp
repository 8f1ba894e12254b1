#include "scan/exclusions.h"

#include "platform/ini_file.h"
#include "scan/key_pattern.h"
#include "platform/root_keys.h"

std::optional<KeptEntry> ExclusionOf(const std::string& name, const std::string& value) {
  const std::optional<EntryName> split = SplitEntryName(name);
  if (!split || split->pattern.empty()) return std::nullopt;
  if (RootKeyOfPath(name) == 0) return std::nullopt;
  return KeptEntry{name, value.empty() ? std::nullopt : std::optional(value), true};
}

std::vector<KeptEntry> ReadExclusions(const IniFile& ini) {
  std::vector<KeptEntry> exclusions;
  for (const auto& [name, value] : ini.ReadSectionEntries(kExcludeSection))
    if (std::optional<KeptEntry> entry = ExclusionOf(name, value)) exclusions.push_back(std::move(*entry));
  return exclusions;
}

std::vector<KeptEntry> ReadExclusions(FileSystem& files, const std::string& knowledge_base) {
  const std::optional<IniFile> ini = LoadIniFile(files, knowledge_base);
  return ini ? ReadExclusions(*ini) : std::vector<KeptEntry>{};
}

void KeepExcluded(const std::vector<KeptEntry>& exclusions, KeepList& kept) {
  for (const KeptEntry& entry : exclusions) kept.Add(entry, kExcludedReason);
}
