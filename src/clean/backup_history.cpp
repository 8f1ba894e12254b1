#include "clean/backup_history.h"

#include <algorithm>
#include <cstdio>

#include "platform/case_fold.h"
#include "platform/root_keys.h"
#include "platform/sha256.h"

namespace {

constexpr const char* kFileValue = "File";
constexpr const char* kTimeValue = "Time";
constexpr const char* kMadeByValue = "Made by";
constexpr const char* kProgramValue = "Program";
constexpr const char* kKeysValue = "Keys";
constexpr const char* kValuesValue = "Values";
constexpr const char* kProblemsValue = "Problems";
constexpr const char* kRefusedValue = "Refused";
constexpr const char* kPartlyValue = "Partly deleted";
constexpr const char* kSizeValue = "Size";
constexpr const char* kSha256Value = "SHA-256";

RegValue TextValue(const std::string& text) {
  RegValue value{kRegSz, {text.begin(), text.end()}};
  value.data.push_back(0);
  return value;
}

RegValue NumberValue(std::uint64_t number, bool wide) {
  RegValue value{wide ? kRegQword : kRegDword, {}};
  for (int byte = 0; byte < (wide ? 8 : 4); ++byte) value.data.push_back(static_cast<std::uint8_t>(number >> (8 * byte)));
  return value;
}

std::string TextOf(RegKey& key, const char* name) {
  const std::optional<RegValue> value = key.QueryValue(name);
  if (!value || (value->type != kRegSz && value->type != kRegExpandSz)) return "";
  std::string text(value->data.begin(), value->data.end());
  return text.substr(0, text.find('\0'));
}

std::uint64_t UnsignedOf(RegKey& key, const char* name) {
  const std::optional<RegValue> value = key.QueryValue(name);
  if (!value || !((value->type == kRegDword && value->data.size() == 4) ||
                  (value->type == kRegQword && value->data.size() == 8)))
    return 0;
  std::uint64_t number = 0;
  for (std::size_t byte = value->data.size(); byte-- > 0;) number = number << 8 | value->data[byte];
  return number;
}

int CountOf(RegKey& key, const char* name) {
  return static_cast<int>(std::min<std::uint64_t>(UnsignedOf(key, name), 0x7fffffff));
}

std::string RecordKey(const std::string& id) { return std::string(kBackupHistoryKey) + "\\" + id; }

bool IsDigits(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Records of this version are named "yyyymmddhhmmss-nnnn-<16 hex digits>",
// which sorts by time; those of earlier versions "1" (newest) to "100", all older.
bool NewerFirst(const std::string& a, const std::string& b) {
  const bool a_numbered = IsDigits(a);
  const bool b_numbered = IsDigits(b);
  if (a_numbered != b_numbered) return b_numbered;
  if (a_numbered) return a.size() != b.size() ? a.size() < b.size() : a < b;
  return a > b;
}

std::vector<std::string> IdsNewestFirst(Registry& registry) {
  const std::unique_ptr<RegKey> history = registry.OpenRead(kHkeyCurrentUser, kBackupHistoryKey);
  if (!history) return {};
  std::vector<std::string> ids = history->SubkeyNames();
  std::sort(ids.begin(), ids.end(), NewerFirst);
  return ids;
}

std::optional<BackupRecord> ReadRecord(Registry& registry, const std::string& id) {
  const std::unique_ptr<RegKey> key = registry.OpenRead(kHkeyCurrentUser, RecordKey(id));
  if (!key) return std::nullopt;
  BackupRecord record{TextOf(*key, kFileValue),     TextOf(*key, kTimeValue),     TextOf(*key, kMadeByValue),
                      CountOf(*key, kKeysValue),    CountOf(*key, kValuesValue),  CountOf(*key, kProblemsValue),
                      CountOf(*key, kRefusedValue), CountOf(*key, kPartlyValue),  TextOf(*key, kProgramValue),
                      UnsignedOf(*key, kSizeValue), TextOf(*key, kSha256Value), id};
  if (record.file.empty()) return std::nullopt;
  return record;
}

// Time digits, a number counting the records of that second, and a digest
// of the file's path: files are never replaced, so no two backups share a
// path, and two runs at once never share a record.
std::string NewRecordId(const std::vector<std::string>& ids, const BackupRecord& record) {
  std::string digits;
  for (const char c : record.time)
    if (c >= '0' && c <= '9') digits += c;
  int count = 0;
  for (const std::string& id : ids)
    if (id.size() > digits.size() + 5 && id.compare(0, digits.size() + 1, digits + '-') == 0 &&
        IsDigits(id.substr(digits.size() + 1, 4)))
      count = std::max(count, std::stoi(id.substr(digits.size() + 1, 4)) + 1);
  char number[8];
  std::snprintf(number, sizeof number, "%04d", std::min(count, 9999));
  return digits + '-' + number + '-' + Sha256Hex(FoldCase(record.file)).substr(0, 16);
}

}  // namespace

std::vector<BackupRecord> ReadBackupHistory(Registry& registry) {
  std::vector<BackupRecord> records;
  for (const std::string& id : IdsNewestFirst(registry)) {
    if (records.size() == kBackupHistoryLimit) break;
    if (std::optional<BackupRecord> record = ReadRecord(registry, id)) records.push_back(std::move(*record));
  }
  return records;
}

bool StoreBackupRecord(Registry& registry, BackupRecord record) {
  record.id = NewRecordId(IdsNewestFirst(registry), record);
  const std::unique_ptr<RegKey> key = registry.OpenWrite(kHkeyCurrentUser, RecordKey(record.id));
  if (!key) return false;
  // The file's name last: a record cut off before it is passed over.
  bool written = key->SetValue(kTimeValue, TextValue(record.time));
  written = key->SetValue(kMadeByValue, TextValue(record.made_by)) && written;
  written = key->SetValue(kProgramValue, TextValue(record.program)) && written;
  written = key->SetValue(kKeysValue, NumberValue(static_cast<std::uint64_t>(record.keys), false)) && written;
  written = key->SetValue(kValuesValue, NumberValue(static_cast<std::uint64_t>(record.values), false)) && written;
  written = key->SetValue(kProblemsValue, NumberValue(static_cast<std::uint64_t>(record.problems), false)) && written;
  written = key->SetValue(kRefusedValue, NumberValue(static_cast<std::uint64_t>(record.refused), false)) && written;
  written = key->SetValue(kPartlyValue, NumberValue(static_cast<std::uint64_t>(record.partly), false)) && written;
  written = key->SetValue(kSizeValue, NumberValue(record.size, true)) && written;
  written = key->SetValue(kSha256Value, TextValue(record.sha256)) && written;
  written = written && key->SetValue(kFileValue, TextValue(record.file));
  if (!written) return false;
  // The oldest go only once the new one is in.
  const std::vector<std::string> ids = IdsNewestFirst(registry);
  for (std::size_t i = ids.size(); i > kBackupHistoryLimit; --i) registry.DeleteKey(kHkeyCurrentUser, RecordKey(ids[i - 1]));
  return true;
}

bool ForgetBackupRecord(Registry& registry, const std::string& file) {
  bool found = false;
  bool removed = true;
  for (const std::string& id : IdsNewestFirst(registry)) {
    const std::optional<BackupRecord> record = ReadRecord(registry, id);
    if (!record || !EqualsNoCase(record->file, file)) continue;
    found = true;
    removed = registry.DeleteKey(kHkeyCurrentUser, RecordKey(id)) && removed;
  }
  return found && removed;
}

std::string BackupTime(const LocalTime& time) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month, time.day, time.hour,
                time.minute, time.second);
  return text;
}
