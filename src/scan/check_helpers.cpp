#include "scan/check_helpers.h"

#include "scan/check_context.h"

std::optional<std::string> ReadValueText(RegistryAccessor& reg, const std::string& name) {
  std::optional<RegValue> value = reg.ReadValue(name);
  if (!value) return std::nullopt;
  return RegValueText(*value, name);
}

std::optional<std::string> LastKeyName(const std::string& key_path) {
  const std::string::size_type slash = key_path.rfind('\\');
  if (slash == std::string::npos) return std::nullopt;
  return key_path.substr(slash + 1);
}

void CheckSingleValue(CheckContext& owner, const std::string& full_path, RegistryAccessor& reg,
                      const std::string& value_name, const std::string& recorded_name, const char* message,
                      std::int32_t level, const std::function<bool(const std::string& text)>& passes) {
  std::optional<std::string> text = ReadValueText(reg, value_name);
  if (!text || passes(*text)) return;
  const std::string recorded = value_name.empty() ? recorded_name : reg.StoredValueName(value_name).value_or(value_name);
  owner.Report(full_path, reg.OpenedKey(), std::make_unique<TErrorClass>(message, recorded, level));
}

void CheckValueList(CheckContext& owner, const std::string& full_path, RegistryAccessor& reg, const char* message,
                    std::int32_t level,
                    const std::function<std::optional<std::string>(const std::string& name)>& bad) {
  std::unique_ptr<TErrorClass> record;
  for (const std::string& name : reg.GetValueNames()) {
    std::optional<std::string> recorded = bad(name);
    if (!recorded) continue;
    if (record)
      record->AddValueName(*recorded);
    else
      record = std::make_unique<TErrorClass>(message, *recorded, level);
  }
  for (const std::string& name : reg.GetUnreadableValueNames()) owner.NoteUnreadable(full_path + ": \"" + name + '"');
  if (record) owner.Report(full_path, reg.OpenedKey(), std::move(record));
}

namespace {

std::optional<std::string> TextOf(RegistryAccessor& reg, const std::string& name, bool expandable_too) {
  std::optional<RegValue> value = reg.ReadValue(name);
  if (!value || (value->type != kRegSz && !(expandable_too && value->type == kRegExpandSz))) return std::nullopt;
  return RegValueText(*value, name);
}

}  // namespace

std::optional<std::string> PlainText(RegistryAccessor& reg, const std::string& name) {
  return TextOf(reg, name, false);
}

std::optional<std::string> TextData(RegistryAccessor& reg, const std::string& name) {
  return TextOf(reg, name, true);
}
