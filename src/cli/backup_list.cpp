#include "cli/backup_list.h"

namespace {

void WriteText(const std::vector<BackupEntry>& entries, std::ostream& out) {
  for (const BackupEntry& entry : entries) {
    const BackupRecord& record = entry.record;
    out << record.file << "\n    " << record.time << ", " << record.made_by << ": " << record.problems
        << (record.problems == 1 ? " problem, " : " problems, ") << record.keys << (record.keys == 1 ? " key, " : " keys, ")
        << record.values << (record.values == 1 ? " value" : " values");
    if (entry.state != BackupFileState::kGone) out << ", " << SizeText(entry.size);
    out << "; " << BackupStateName(entry.state) << '\n';
  }
  out << entries.size() << (entries.size() == 1 ? " backup" : " backups") << " in the history.\n";
}

void WriteTsv(const std::vector<BackupEntry>& entries, std::ostream& out) {
  out << "time\tmade_by\tproblems\tkeys\tvalues\tsize\tstate\tfile\n";
  for (const BackupEntry& entry : entries) {
    const BackupRecord& record = entry.record;
    out << TsvField(record.time) << '\t' << TsvField(record.made_by) << '\t' << record.problems << '\t'
        << record.keys << '\t' << record.values << '\t' << entry.size << '\t' << BackupStateName(entry.state)
        << '\t' << TsvField(record.file) << '\n';
  }
}

void WriteJson(const std::vector<BackupEntry>& entries, std::ostream& out) {
  out << "{\"backups\": [";
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const BackupRecord& record = entries[i].record;
    out << (i ? ",\n  " : "\n  ") << "{\"time\": " << JsonString(record.time)
        << ", \"made_by\": " << JsonString(record.made_by) << ", \"problems\": " << record.problems
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
    case BackupFileState::kCutShort: return "cut short";
    case BackupFileState::kUnsealed: return "no end line";
    case BackupFileState::kGone: return "gone";
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
