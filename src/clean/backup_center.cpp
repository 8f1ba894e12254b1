#include "clean/backup_center.h"

#include <algorithm>

#include "platform/case_fold.h"
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

// "dd_mm_yy;hh-mm-ss (AM).reg", or with "_<n>" before ".reg".
bool HasBackupName(const std::string& name) {
  constexpr std::string_view kShape = "00_00_00;00-00-00 (AM)";
  if (name.size() < kShape.size() + 4 || !HasRegExtension(name)) return false;
  for (std::size_t i = 0; i < kShape.size(); ++i) {
    const char want = kShape[i];
    const char have = name[i];
    if (want == '0' ? !(have >= '0' && have <= '9') : want == 'A' ? have != 'A' && have != 'P' : have != want)
      return false;
  }
  const std::string_view rest = std::string_view(name).substr(kShape.size(), name.size() - kShape.size() - 4);
  return rest.empty() || (rest[0] == '_' && IsDigits(rest.substr(1)));
}

BackupFileState StateAgainstRecord(std::string_view bytes, const BackupRecord& record) {
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
                                       const std::vector<std::string>& folder_files) {
  std::vector<BackupEntry> entries;
  for (const BackupRecord& record : history) {
    BackupEntry entry{record, true, BackupFileState::kGone, 0};
    if (const std::optional<std::string> bytes = files.ReadFile(record.file)) {
      entry.state = StateAgainstRecord(*bytes, record);
      entry.size = bytes->size();
    }
    entries.push_back(std::move(entry));
  }
  for (const std::string& file : folder_files) {
    const bool recorded = std::any_of(history.begin(), history.end(),
                                      [&](const BackupRecord& record) { return EqualsNoCase(record.file, file); });
    // Windows matches "*.reg" against short names too: "a.regx" is listed.
    if (recorded || !HasRegExtension(file)) continue;
    const std::optional<std::string> bytes = files.ReadFile(file);
    if (!bytes || !IsOwnBackupFile(file, *bytes)) continue;
    const FileSealCounts counts = CountRegistryLines(LinesOf(*bytes));
    BackupRecord record{file, "", "", static_cast<int>(counts.keys), static_cast<int>(counts.values), 0};
    entries.push_back({std::move(record), false, StateOfBackupText(*bytes), bytes->size()});
  }
  return entries;
}

BackupRecord RecordOfDeletion(const TBuck& journal, const std::string& made_by, int problems,
                              const LocalTime& now) {
  const FileSealCounts counts = CountRegistryLines(journal.Lines());
  return {journal.FileName(), BackupTime(now), made_by, static_cast<int>(counts.keys),
          static_cast<int>(counts.values), problems};
}

bool RecordDeletion(Registry& registry, FileSystem& files, const TBuck& journal, const std::string& made_by,
                    int problems, const LocalTime& now) {
  // A deletion of nothing leaves the file as it was, or none.
  if (problems == 0 || journal.FileName().empty() || !files.FileExists(journal.FileName())) return true;
  return StoreBackupRecord(registry, RecordOfDeletion(journal, made_by, problems, now));
}

std::string SizeText(std::uint64_t bytes) {
  if (bytes < 1024) return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
  return std::to_string((bytes + 1023) / 1024) + " KB";
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}
