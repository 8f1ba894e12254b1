#pragma once
// What the value list shows for a node of the result tree: one row per
// value of the node's key, all of them or only those its problem names, in
// the registry's order.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "scan/Errors.h"
#include "scan/result_tree.h"

// Pictures of the shared image list the rows use.
enum ValueImage { kOtherValueImage = 0, kNumberValueImage = 2, kTextValueImage = 3 };
// A row's item data: the kind of value it shows.
enum ValueTypeCode { kOtherTypeCode = 0, kSzTypeCode = 1, kExpandSzTypeCode = 2, kDwordTypeCode = 3, kBinaryTypeCode = 4 };

struct ValueRow {
  std::string caption;              // the name; "(Default)" for the unnamed value
  std::optional<std::string> data;  // the Data column, for text and numbers
  int image = kOtherValueImage;
  int type_code = kOtherTypeCode;
  bool operator==(const ValueRow&) const = default;
};

// "0x000000FF(255)": eight hexadecimal digits, then the signed number.
std::string FormatDword(std::uint32_t value);

// Whether a row's caption is among the record's bad values (letter case
// ignored).
bool RecordNamesValue(const TErrorClass& record, const std::string& caption);

// The rows for the node: none when it has no record or its key cannot be
// opened. Throws RegistryError when a listed value cannot be read as its
// type says (it changed or went since it was listed).
std::vector<ValueRow> ValueRows(Registry& registry, const ResultNode& node, bool all_values);
