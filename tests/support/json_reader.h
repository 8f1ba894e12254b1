#pragma once
// A strict reader of JSON text for tests: objects, arrays, strings,
// integers, true, false and null. It takes only what RFC 8259 allows (no
// raw control characters in strings, no trailing commas, no text after
// the value) and throws std::runtime_error on anything else. Strings come
// back as bytes: a \uXXXX escape gives the byte of code points up to U+00FF
// and throws above, for the texts of this program are bytes.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

struct JsonValue;
using JsonArray = std::vector<JsonValue>;
using JsonObject = std::map<std::string, JsonValue>;

struct JsonValue {
  std::variant<std::nullptr_t, bool, std::int64_t, std::string, JsonArray, JsonObject> data;

  const JsonValue& operator[](const std::string& key) const;  // throws when missing
  const std::string& Str() const { return std::get<std::string>(data); }
  std::int64_t Int() const { return std::get<std::int64_t>(data); }
  bool Bool() const { return std::get<bool>(data); }
  const JsonArray& Array() const { return std::get<JsonArray>(data); }
};

JsonValue ReadJson(const std::string& text);
