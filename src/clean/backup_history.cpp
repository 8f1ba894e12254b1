#include "clean/backup_history.h"

#include <algorithm>
#include <cstdio>

#include "platform/case_fold.h"
#include "platform/root_keys.h"

namespace {

constexpr const char* kFileValue = "File";
constexpr const char* kTimeValue = "Time";
constexpr const char* kMadeByValue = "Made by";
constexpr const char* kKeysValue = "Keys";
constexpr const char* kValuesValue = "Values";
constexpr const char* kProblemsValue = "Problems";

RegValue TextValue(const std::string& text) {
  RegValue value{kRegSz, {text.begin(), text.end()}};
  value.data.push_back(0);
  return value;
}

RegValue NumberValue(int number) {
  const auto bits = static_cast<std::uint32_t>(std::max(number, 0));
  return {kRegDword,
          {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
           static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)}};
}

std::string TextOf(RegKey& key, const char* name) {
  const std::optional<RegValue> value = key.QueryValue(name);
  if (!value || (value->type != kRegSz && value->type != kRegExpandSz)) return "";
  std::string text(value->data.begin(), value->data.end());
  return text.substr(0, text.find('\0'));
}

int NumberOf(RegKey& key, const char* name) {
  const std::optional<RegValue> value = key.QueryValue(name);
  if (!value || value->type != kRegDword || value->data.size() != 4) return 0;
  const std::uint32_t bits = value->data[0] | value->data[1] << 8 | value->data[2] << 16 |
                             static_cast<std::uint32_t>(value->data[3]) << 24;
  return static_cast<int>(std::min<std::uint32_t>(bits, 0x7fffffff));
}

}  // namespace

std::vector<BackupRecord> ReadBackupHistory(Registry& registry) {
  std::vector<BackupRecord> records;
  for (std::size_t number = 1; number <= kBackupHistoryLimit; ++number) {
    const std::unique_ptr<RegKey> key =
        registry.OpenRead(kHkeyCurrentUser, std::string(kBackupHistoryKey) + "\\" + std::to_string(number));
    if (!key) break;
    BackupRecord record{TextOf(*key, kFileValue),   TextOf(*key, kTimeValue),   TextOf(*key, kMadeByValue),
                        NumberOf(*key, kKeysValue), NumberOf(*key, kValuesValue), NumberOf(*key, kProblemsValue)};
    if (!record.file.empty()) records.push_back(std::move(record));
  }
  return records;
}

bool WriteBackupHistory(Registry& registry, const std::vector<BackupRecord>& records) {
  registry.DeleteKey(kHkeyCurrentUser, kBackupHistoryKey);
  if (records.empty()) return !registry.OpenRead(kHkeyCurrentUser, kBackupHistoryKey);
  bool written = true;
  for (std::size_t i = 0; i < records.size() && i < kBackupHistoryLimit; ++i) {
    const BackupRecord& record = records[i];
    const std::unique_ptr<RegKey> key =
        registry.OpenWrite(kHkeyCurrentUser, std::string(kBackupHistoryKey) + "\\" + std::to_string(i + 1));
    if (!key) return false;
    written = key->SetValue(kFileValue, TextValue(record.file)) && written;
    written = key->SetValue(kTimeValue, TextValue(record.time)) && written;
    written = key->SetValue(kMadeByValue, TextValue(record.made_by)) && written;
    written = key->SetValue(kKeysValue, NumberValue(record.keys)) && written;
    written = key->SetValue(kValuesValue, NumberValue(record.values)) && written;
    written = key->SetValue(kProblemsValue, NumberValue(record.problems)) && written;
  }
  return written;
}

void AddBackupRecord(std::vector<BackupRecord>& records, BackupRecord record) {
  const auto earlier = std::find_if(records.begin(), records.end(),
                                    [&](const BackupRecord& held) { return EqualsNoCase(held.file, record.file); });
  if (earlier != records.end()) {
    record.problems += earlier->problems;
    records.erase(earlier);
  }
  records.insert(records.begin(), std::move(record));
  if (records.size() > kBackupHistoryLimit) records.resize(kBackupHistoryLimit);
}

bool RemoveBackupRecord(std::vector<BackupRecord>& records, const std::string& file) {
  const auto held = std::find_if(records.begin(), records.end(),
                                 [&](const BackupRecord& record) { return EqualsNoCase(record.file, file); });
  if (held == records.end()) return false;
  records.erase(held);
  return true;
}

bool StoreBackupRecord(Registry& registry, BackupRecord record) {
  std::vector<BackupRecord> records = ReadBackupHistory(registry);
  AddBackupRecord(records, std::move(record));
  return WriteBackupHistory(registry, records);
}

std::string BackupTime(const LocalTime& time) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month, time.day, time.hour,
                time.minute, time.second);
  return text;
}
