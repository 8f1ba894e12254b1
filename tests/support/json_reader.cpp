#include "support/json_reader.h"

#include <stdexcept>

const JsonValue& JsonValue::operator[](const std::string& key) const {
  const JsonObject& object = std::get<JsonObject>(data);
  const auto found = object.find(key);
  if (found == object.end()) throw std::runtime_error("JSON object has no member " + key);
  return found->second;
}

namespace {

class Reader {
 public:
  explicit Reader(const std::string& text) : text_(text) {}

  JsonValue Document() {
    JsonValue value = Value();
    SkipBlanks();
    if (pos_ != text_.size()) Fail("text after the value");
    return value;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw std::runtime_error("JSON: " + what + " at byte " + std::to_string(pos_));
  }
  void SkipBlanks() {
    while (pos_ < text_.size() && std::string_view(" \t\r\n").find(text_[pos_]) != std::string_view::npos) ++pos_;
  }
  bool Take(char c) {
    SkipBlanks();
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  void Expect(char c) {
    if (!Take(c)) Fail(std::string("expected ") + c);
  }
  bool TakeWord(std::string_view word) {
    if (text_.compare(pos_, word.size(), word) != 0) return false;
    pos_ += word.size();
    return true;
  }

  JsonValue Value() {
    SkipBlanks();
    if (pos_ >= text_.size()) Fail("no value");
    const char c = text_[pos_];
    if (c == '{') return JsonValue{Object()};
    if (c == '[') return JsonValue{Array()};
    if (c == '"') return JsonValue{String()};
    if (TakeWord("true")) return JsonValue{true};
    if (TakeWord("false")) return JsonValue{false};
    if (TakeWord("null")) return JsonValue{nullptr};
    return JsonValue{Integer()};
  }

  JsonObject Object() {
    Expect('{');
    JsonObject object;
    if (Take('}')) return object;
    do {
      SkipBlanks();
      std::string key = String();
      Expect(':');
      if (!object.emplace(std::move(key), Value()).second) Fail("repeated member");
    } while (Take(','));
    Expect('}');
    return object;
  }

  JsonArray Array() {
    Expect('[');
    JsonArray array;
    if (Take(']')) return array;
    do array.push_back(Value());
    while (Take(','));
    Expect(']');
    return array;
  }

  std::int64_t Integer() {
    const std::size_t start = pos_;
    if (pos_ < text_.size() && text_[pos_] == '-') ++pos_;
    const std::size_t digits = pos_;
    while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') ++pos_;
    if (pos_ == digits || (text_[digits] == '0' && pos_ - digits > 1)) Fail("not an integer");
    return std::stoll(text_.substr(start, pos_ - start));
  }

  std::string String() {
    if (pos_ >= text_.size() || text_[pos_] != '"') Fail("expected a string");
    ++pos_;
    std::string out;
    for (;;) {
      if (pos_ >= text_.size()) Fail("unterminated string");
      const auto c = static_cast<unsigned char>(text_[pos_++]);
      if (c == '"') return out;
      if (c < 0x20) Fail("raw control character in a string");
      if (c >= 0x80) Fail("a byte above 127: the text is not ASCII");
      if (c != '\\') {
        out += static_cast<char>(c);
        continue;
      }
      if (pos_ >= text_.size()) Fail("unterminated escape");
      const char e = text_[pos_++];
      switch (e) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '/': out += '/'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': out += static_cast<char>(CodePoint()); break;
        default: Fail("unknown escape");
      }
    }
  }

  unsigned CodePoint() {
    if (pos_ + 4 > text_.size()) Fail("short \\u escape");
    unsigned value = 0;
    for (int i = 0; i < 4; ++i) {
      const char h = text_[pos_++];
      const int digit = (h >= '0' && h <= '9')   ? h - '0'
                        : (h >= 'a' && h <= 'f') ? h - 'a' + 10
                        : (h >= 'A' && h <= 'F') ? h - 'A' + 10
                                                 : -1;
      if (digit < 0) Fail("bad \\u escape");
      value = value * 16 + static_cast<unsigned>(digit);
    }
    if (value > 0xFF) Fail("a code point above U+00FF");
    return value;
  }

  const std::string& text_;
  std::size_t pos_ = 0;
};

}  // namespace

JsonValue ReadJson(const std::string& text) { return Reader(text).Document(); }
