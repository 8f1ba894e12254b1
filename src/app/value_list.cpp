#include "app/value_list.h"

#include <cstdio>

#include "platform/case_fold.h"
#include "platform/registry_accessor.h"
#include "platform/registry_errors.h"
#include "scan/key_paths.h"

namespace {

ValueRow RowOf(RegistryAccessor& key, const std::string& name) {
  ValueRow row;
  row.caption = name.empty() ? kDefaultValueName : name;
  const std::optional<RegValue> value = key.ReadValue(name);
  if (!value) throw RegistryError("Failed to get data for '" + name + "'");
  switch (value->type) {
    case kRegSz:
    case kRegExpandSz:
      // Expandable text shows as it is stored, not expanded.
      row.image = kTextValueImage;
      row.type_code = value->type == kRegSz ? kSzTypeCode : kExpandSzTypeCode;
      row.data = RegValueText(*value, name);
      break;
    case kRegDword:
      row.image = kNumberValueImage;
      row.type_code = kDwordTypeCode;
      row.data = FormatDword(static_cast<std::uint32_t>(RegValueInteger(*value, name)));
      break;
    case kRegBinary:
      row.image = kNumberValueImage;
      row.type_code = kBinaryTypeCode;
      break;
    default:
      break;
  }
  return row;
}

}  // namespace

std::string FormatDword(std::uint32_t value) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%08X(%d)", static_cast<unsigned>(value), static_cast<int>(static_cast<std::int32_t>(value)));
  return text;
}

bool RecordNamesValue(const TErrorClass& record, const std::string& caption) {
  for (const std::string& name : record.FValueNames)
    if (EqualsNoCase(name, caption)) return true;
  return false;
}

std::vector<ValueRow> ValueRows(Registry& registry, const ResultNode& node, bool all_values) {
  std::vector<ValueRow> rows;
  const TErrorClass* record = node.Data();
  if (!record) return rows;
  const KeyPath path = NodeKey(node);
  RegistryAccessor key(registry, path.Root());
  if (!key.OpenKeyReadOnly(path.Path())) return rows;
  for (const std::string& name : key.GetValueNames()) {
    const bool named = RecordNamesValue(*record, name) || (name.empty() && RecordNamesValue(*record, kDefaultValueName));
    if (all_values || named) rows.push_back(RowOf(key, name));
  }
  return rows;
}
