#include "cli/backup_list.h"

#include <algorithm>

namespace {

void WriteText(const std::vector<BackupEntry>& entries, std::ostream& out) {
  for (const BackupEntry& entry : entries) {
    const BackupRecord& record = entry.record;
    out << record.file << "\n    " << (record.time.empty() ? "" : record.time + ", ");
    if (entry.recorded) {
      out << record.made_by << ": " << record.problems << (record.problems == 1 ? " problem deleted, " : " problems deleted, ");
      if (record.refused) out << record.refused << " refused, ";
      if (record.partly) out << record.partly << " partly deleted, ";
    } else {
      out << "(not in the history): ";
    }
    out << record.keys << (record.keys == 1 ? " key, " : " keys, ") << record.values
        << (record.values == 1 ? " value" : " values");
    if (entry.state != BackupFileState::kGone) out << ", " << SizeText(entry.size);
    out << "; " << BackupStateName(entry.state) << '\n';
  }
  const auto recorded = std::count_if(entries.begin(), entries.end(), [](const BackupEntry& entry) { return entry.recorded; });
  out << recorded << (recorded == 1 ? " backup" : " backups") << " in the history";
  if (recorded != static_cast<long>(entries.size())) out << ", " << entries.size() - recorded << " not in it";
  out << ".\n";
}

void WriteTsv(const std::vector<BackupEntry>& entries, std::ostream& out) {
  out << "time\tmade_by\tproblems\trefused\tpartly\tkeys\tvalues\tsize\tstate\tfile\n";
  for (const BackupEntry& entry : entries) {
    const BackupRecord& record = entry.record;
    out << TsvField(record.time) << '\t' << TsvField(record.made_by) << '\t' << record.problems << '\t'
        << record.refused << '\t' << record.partly << '\t' << record.keys << '\t' << record.values << '\t' << entry.size << '\t' << BackupStateName(entry.state)
        << '\t' << TsvField(record.file) << '\n';
  }
}

void WriteJson(const std::vector<BackupEntry>& entries, std::ostream& out) {
  out << "{\"backups\": [";
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const BackupRecord& record = entries[i].record;
    out << (i ? ",\n  " : "\n  ") << "{\"time\": " << JsonString(record.time)
        << ", \"made_by\": " << JsonString(record.made_by) << ", \"recorded\": " << (entries[i].recorded ? "true" : "false")
        << ", \"problems\": " << record.problems << ", \"refused\": " << record.refused
        << ", \"partly\": " << record.partly
        << ", \"keys\": " << record.keys << ", \"values\": " << record.values << ", \"size\": " << entries[i].size
        << ", \"state\": " << JsonString(BackupStateName(entries[i].state))
        << ", \"file\": " << JsonString(record.file) << '}';
  }
  out << (entries.empty() ? "]}\n" : "\n]}\n");
}

}  // namespace

const char* BackupStateName(BackupFileState state) {
  switch (state) {
    case BackupFileState::kIntact: return "intact";
    case BackupFileState::kChanged: return "changed since it was made";
    case BackupFileState::kCutShort: return "cut short";
    case BackupFileState::kUnsealed: return "no end line";
    case BackupFileState::kGone: return "gone";
    case BackupFileState::kNotAFile: return "not a backup file";
  }
  return "";
}

void WriteBackupList(const std::vector<BackupEntry>& entries, ResultFormat format, std::ostream& out) {
  switch (format) {
    case ResultFormat::kText: WriteText(entries, out); break;
    case ResultFormat::kTsv: WriteTsv(entries, out); break;
    case ResultFormat::kJson: WriteJson(entries, out); break;
  }
}
