#include "clean/backup_center.h"

#include <algorithm>

#include "platform/case_fold.h"
#include "platform/device_names.h"
#include "platform/sha256.h"
#include "regtext/file_seal.h"
#include "regtext/reg_file_encoding.h"

namespace {

// The lines of a file in either form; none of a broken one.
std::vector<std::string> LinesOf(std::string_view bytes) { return RegFileLines(bytes).value_or(std::vector<std::string>{}); }

std::string NameOf(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

bool IsDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool HasRegExtension(const std::string& name) {
  return name.size() > 4 && EqualsNoCase(std::string_view(name).substr(name.size() - 4), ".reg");
}

constexpr std::string_view kNameShape = "00_00_00;00-00-00 (AM)";

// "dd_mm_yy;hh-mm-ss (AM).reg", or with "_<n>" before ".reg".
bool HasBackupName(const std::string& name) {
  if (name.size() < kNameShape.size() + 4 || !HasRegExtension(name)) return false;
  for (std::size_t i = 0; i < kNameShape.size(); ++i) {
    const char want = kNameShape[i];
    const char have = name[i];
    if (want == '0' ? !(have >= '0' && have <= '9') : want == 'A' ? have != 'A' && have != 'P' : have != want)
      return false;
  }
  const std::string_view rest = std::string_view(name).substr(kNameShape.size(), name.size() - kNameShape.size() - 4);
  return rest.empty() || (rest[0] == '_' && IsDigits(rest.substr(1)));
}

// The time a backup's name gives (its scan's start), as BackupTime writes
// it; empty for any other name.
std::string TimeOfName(const std::string& name) {
  if (!HasBackupName(name)) return "";
  const int hour12 = std::stoi(name.substr(9, 2)) % 12;
  const int hour = hour12 + (name[19] == 'P' ? 12 : 0);
  const std::string hh{static_cast<char>('0' + hour / 10), static_cast<char>('0' + hour % 10)};
  return "20" + name.substr(6, 2) + '-' + name.substr(3, 2) + '-' + name.substr(0, 2) + ' ' + hh + ':' +
         name.substr(12, 2) + ':' + name.substr(15, 2);
}

BackupFileState StateOfOldRecord(std::string_view bytes, const BackupRecord& record) {
  const std::vector<std::string> lines = LinesOf(bytes);
  switch (CheckFileSeal(lines).state) {
    case FileSealState::kIntact: return BackupFileState::kIntact;
    case FileSealState::kCutShort: return BackupFileState::kCutShort;
    case FileSealState::kNotOurs: break;
  }
  // Written before the end line: fewer blocks or values than recorded is a
  // file that lost its end.
  const FileSealCounts counts = CountRegistryLines(lines);
  const bool complete = static_cast<int>(counts.keys) >= record.keys && static_cast<int>(counts.values) >= record.values;
  return complete ? BackupFileState::kUnsealed : BackupFileState::kCutShort;
}

BackupEntry EntryOfRecord(const BackupRecord& record, FileSystem& files) {
  BackupEntry entry{record, true, BackupFileState::kNotAFile, 0};
  if (NamesDevice(record.file)) return entry;
  // No more is read than the file had: a larger one is not the file written.
  const bool fingerprinted = !record.sha256.empty();
  const RegularFileRead read = files.ReadRegularFile(record.file, fingerprinted ? record.size : kLargestBackupFile);
  switch (read.kind) {
    case RegularFileRead::Kind::kMissing: entry.state = BackupFileState::kGone; return entry;
    case RegularFileRead::Kind::kNotAFile: return entry;
    case RegularFileRead::Kind::kRegular: break;
  }
  entry.size = read.bytes.size();
  if (!fingerprinted) {
    entry.state = read.bytes.size() > kLargestBackupFile ? BackupFileState::kNotAFile : StateOfOldRecord(read.bytes, record);
  } else {
    const bool same = read.bytes.size() == record.size && Sha256Hex(read.bytes) == record.sha256;
    entry.state = same ? BackupFileState::kIntact : BackupFileState::kChanged;
  }
  return entry;
}

bool Restorable(BackupFileState state) {
  return state == BackupFileState::kIntact || state == BackupFileState::kChanged || state == BackupFileState::kUnsealed;
}

}  // namespace

BackupFileState StateOfBackupText(std::string_view bytes) {
  switch (CheckFileSeal(LinesOf(bytes)).state) {
    case FileSealState::kIntact: return BackupFileState::kIntact;
    case FileSealState::kCutShort: return BackupFileState::kCutShort;
    case FileSealState::kNotOurs: break;
  }
  return BackupFileState::kUnsealed;
}

bool IsOwnBackupFile(const std::string& name, std::string_view bytes) {
  const std::vector<std::string> lines = LinesOf(bytes.substr(0, 512));
  return HasBackupName(NameOf(name)) || (lines.size() > 1 && lines[1] == FileSealOpeningLine());
}

std::vector<BackupEntry> BackupEntries(const std::vector<BackupRecord>& history, FileSystem& files,
                                       const std::string& folder) {
  std::vector<BackupEntry> entries;
  for (const BackupRecord& record : history) entries.push_back(EntryOfRecord(record, files));
  if (folder.empty()) return entries;
  for (const std::string& file : files.FilesIn(folder, "*.reg")) {
    const bool recorded = std::any_of(history.begin(), history.end(),
                                      [&](const BackupRecord& record) { return EqualsNoCase(record.file, file); });
    // Windows matches "*.reg" against short names too: "a.regx" is listed.
    if (recorded || !HasRegExtension(file) || NamesDevice(file)) continue;
    const RegularFileRead read = files.ReadRegularFile(file, kLargestBackupFile);
    if (read.kind != RegularFileRead::Kind::kRegular || read.bytes.size() > kLargestBackupFile ||
        !IsOwnBackupFile(file, read.bytes))
      continue;
    const FileSealCounts counts = CountRegistryLines(LinesOf(read.bytes));
    BackupRecord record;
    record.file = file;
    record.time = TimeOfName(NameOf(file));
    record.keys = static_cast<int>(counts.keys);
    record.values = static_cast<int>(counts.values);
    entries.push_back({std::move(record), false, StateOfBackupText(read.bytes), read.bytes.size()});
  }
  return entries;
}

std::optional<BackupEntry> LatestBackup(const std::vector<BackupEntry>& entries) {
  std::optional<BackupEntry> latest;
  // The history is newest first; a file it lacks is newer only by the time of its name.
  for (const BackupEntry& entry : entries)
    if (Restorable(entry.state) && (!latest || entry.record.time > latest->record.time)) latest = entry;
  return latest;
}

BackupRecord RecordOfDeletion(const WrittenBackup& written, const std::string& made_by, const std::string& program,
                              const DeletionSummary& summary, const LocalTime& now) {
  BackupRecord record;
  record.file = written.file;
  record.time = BackupTime(now);
  record.made_by = made_by;
  record.keys = written.keys;
  record.values = written.values;
  record.problems = static_cast<int>(summary.deleted.size());
  record.refused = static_cast<int>(summary.refused.size());
  record.partly = static_cast<int>(summary.partly.size());
  record.program = program;
  record.size = written.size;
  record.sha256 = written.sha256;
  return record;
}

bool RecordDeletion(Registry& registry, const TBuck& journal, const std::string& made_by, const std::string& program,
                    const DeletionSummary& summary, const LocalTime& now) {
  if (!journal.Written()) return true;
  return StoreBackupRecord(registry, RecordOfDeletion(*journal.Written(), made_by, program, summary, now));
}

std::string SizeText(std::uint64_t bytes) {
  if (bytes < 1024) return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
  return std::to_string((bytes + 1023) / 1024) + " KB";
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}
