#include "scan/knowledge_base_fault.h"

#include <optional>

#include "platform/ini_file.h"
#include "scan/BaseVer.h"
#include "scan/verefy.h"

std::string KnowledgeBaseFault(FileSystem& files, const std::string& path) {
  const std::optional<IniFile> ini = LoadIniFile(files, path);
  const std::string section = Tverefy::kSectionName;
  if (!ini) return "cannot read the knowledge base " + path;
  if (!ini->HasSection(section)) return "the knowledge base " + path + " has no section [" + section + "]";
  const RuleEntries entries = ReadRuleEntries(*ini, section);
  if (entries.empty()) return "the knowledge base " + path + " has no rules in [" + section + "]";
  for (const auto& [name, value] : entries)
    if (RuleEntryRuns(name, value)) return "";
  const auto& [name, value] = entries.front();
  return "the knowledge base " + path + " has no usable rule in [" + section + "]; the first line the scanner skips: " +
         name + "=" + value;
}
