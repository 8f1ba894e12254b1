#include "regtext/regedit4_reader.h"

#include <cstdint>
#include <memory>

#include "platform/case_fold.h"
#include "platform/root_keys.h"

RegTextError::RegTextError(int line, const std::string& what)
    : std::runtime_error("line " + std::to_string(line) + ": " + what), line_(line) {}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

// One line being read, left to right.
class Cursor {
 public:
  Cursor(std::string_view line, int number) : line_(line), number_(number) {}

  int Number() const { return number_; }
  bool AtEnd() const { return pos_ >= line_.size(); }
  char Peek() const { return AtEnd() ? '\0' : line_[pos_]; }
  void Advance() { ++pos_; }
  void SkipBlanks() {
    while (!AtEnd() && IsBlank(line_[pos_])) ++pos_;
  }
  bool Consume(std::string_view literal) {
    if (line_.substr(pos_, literal.size()) != literal) return false;
    pos_ += literal.size();
    return true;
  }
  bool OnlyBlanksLeft() {
    SkipBlanks();
    return AtEnd();
  }
  [[noreturn]] void Fail(const std::string& what) const { throw RegTextError(number_, what); }

 private:
  std::string_view line_;
  std::size_t pos_ = 0;
  int number_;
};

// A quoted text with \\ and \" escapes; the cursor stands on the opening quote.
std::string ReadQuoted(Cursor& cursor, const char* what) {
  cursor.Advance();
  std::string text;
  for (;;) {
    if (cursor.AtEnd()) cursor.Fail(std::string("unterminated ") + what);
    const char c = cursor.Peek();
    cursor.Advance();
    if (c == '"') return text;
    if (c != '\\') {
      text += c;
      continue;
    }
    const char escaped = cursor.Peek();
    if (escaped != '\\' && escaped != '"')
      cursor.Fail(std::string("unknown escape in ") + what + " (only \\\\ and \\\" exist)");
    cursor.Advance();
    text += escaped;
  }
}

// 1 to 8 hex digits; stops at the first other character.
std::uint32_t ReadHexNumber(Cursor& cursor, const char* what) {
  std::uint32_t number = 0;
  int digits = 0;
  for (; HexDigit(cursor.Peek()) >= 0; ++digits, cursor.Advance()) {
    if (digits == 8) cursor.Fail(std::string(what) + " has more than 8 hex digits");
    number = number << 4 | static_cast<std::uint32_t>(HexDigit(cursor.Peek()));
  }
  if (digits == 0) cursor.Fail(std::string(what) + " needs hex digits");
  return number;
}

class Parser {
 public:
  explicit Parser(std::string_view text) : lines_(SplitLines(text)) {}

  std::vector<RegTextKey> Parse(std::string_view header) {
    if (lines_.empty() || lines_[0] != header)
      throw RegTextError(1, "the first line must be " + std::string(header));
    for (next_ = 1; next_ < lines_.size();) {
      Cursor cursor = NextLine();
      cursor.SkipBlanks();
      if (cursor.AtEnd() || cursor.Peek() == ';') continue;
      if (cursor.Peek() == '[') {
        keys_.push_back(ReadKeyLine(cursor));
      } else if (cursor.Peek() == '@' || cursor.Peek() == '"') {
        if (keys_.empty()) cursor.Fail("value line before the first key line");
        if (keys_.back().remove) cursor.Fail("value line below a key deletion");
        keys_.back().values.push_back(ReadValueLine(cursor));
      } else {
        cursor.Fail("expected a [key] line or a value line");
      }
    }
    return std::move(keys_);
  }

 private:
  Cursor NextLine() {
    const int number = static_cast<int>(next_) + 1;
    return Cursor(lines_[next_++], number);
  }

  static RegTextKey ReadKeyLine(Cursor& cursor) {
    RegTextKey key;
    key.line = cursor.Number();
    cursor.Advance();
    key.remove = cursor.Consume("-");
    std::string path;
    while (!cursor.AtEnd()) {
      path += cursor.Peek();
      cursor.Advance();
    }
    const std::size_t close = path.find_last_not_of(" \t");
    if (close == std::string::npos || path[close] != ']') cursor.Fail("key line without a closing ]");
    path.resize(close);
    const std::size_t separator = path.find('\\');
    key.root = RootKeyFromName(path.substr(0, separator));
    if (key.root == 0) cursor.Fail("unknown root key in [" + path + "]");
    if (separator != std::string::npos) key.subpath = path.substr(separator + 1);
    if (key.remove && key.subpath.empty()) cursor.Fail("a root key cannot be deleted");
    key.path = std::move(path);
    return key;
  }

  RegTextValue ReadValueLine(Cursor& cursor) {
    RegTextValue value;
    value.line = cursor.Number();
    if (!cursor.Consume("@")) value.name = ReadQuoted(cursor, "value name");
    if (!cursor.Consume("=")) cursor.Fail("expected = after the value name");
    if (cursor.Consume("-")) {
      // value stays empty: a deletion
    } else if (cursor.Peek() == '"') {
      const std::string text = ReadQuoted(cursor, "string");
      value.value = RegValue{kRegSz, std::vector<std::uint8_t>(text.begin(), text.end())};
      value.value->data.push_back(0);
      value.quoted = true;
    } else if (cursor.Consume("dword:")) {
      const std::uint32_t number = ReadHexNumber(cursor, "dword");
      value.value = RegValue{kRegDword, {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
                                         static_cast<std::uint8_t>(number >> 16),
                                         static_cast<std::uint8_t>(number >> 24)}};
    } else if (cursor.Consume("hex")) {
      value.value = RegValue{kRegBinary, {}};
      if (cursor.Consume("(")) {
        value.value->type = ReadHexNumber(cursor, "hex type");
        if (!cursor.Consume(")")) cursor.Fail("expected ) after the hex type");
      }
      if (!cursor.Consume(":")) cursor.Fail("expected : after hex");
      value.value->data = ReadHexList(cursor);
      return value;  // the list has read up to its last line's end
    } else {
      cursor.Fail("unknown data: expected \"text\", dword:, hex:, hex(N): or -");
    }
    if (!cursor.OnlyBlanksLeft()) cursor.Fail("unexpected text after the data");
    return value;
  }

  // Bytes separated by commas, continued on the next line after a backslash.
  std::vector<std::uint8_t> ReadHexList(Cursor& cursor) {
    std::vector<std::uint8_t> bytes;
    bool want_byte = true;  // at the start, or after a comma
    for (;;) {
      cursor.SkipBlanks();
      if (cursor.AtEnd()) {
        if (want_byte && !bytes.empty()) cursor.Fail("hex list ends with a comma");
        return bytes;
      }
      if (cursor.Peek() == '\\') {
        cursor.Advance();
        if (!want_byte) cursor.Fail("expected a comma before the continuation backslash");
        if (!cursor.OnlyBlanksLeft()) cursor.Fail("unexpected text after the continuation backslash");
        if (next_ >= lines_.size()) cursor.Fail("the hex list continues past the end of the text");
        cursor = NextLine();
        continue;
      }
      if (!want_byte) cursor.Fail("expected a comma between hex bytes");
      const int high = HexDigit(cursor.Peek());
      if (high < 0) cursor.Fail("expected a hex byte");
      cursor.Advance();
      int byte = high;
      if (HexDigit(cursor.Peek()) >= 0) {
        byte = high * 16 + HexDigit(cursor.Peek());
        cursor.Advance();
      }
      bytes.push_back(static_cast<std::uint8_t>(byte));
      cursor.SkipBlanks();
      want_byte = cursor.Consume(",");
    }
  }

  std::vector<std::string_view> lines_;
  std::size_t next_ = 0;
  std::vector<RegTextKey> keys_;
};

}  // namespace

std::vector<RegTextKey> ParseRegedit4(std::string_view text, std::string_view header) {
  return Parser(text).Parse(header);
}

RegValue AsTheEditorStoresIt(RegValue value) {
  const bool text_type = value.type == kRegSz || value.type == kRegExpandSz || value.type == kRegMultiSz;
  if (text_type && !value.data.empty() && value.data.back() != 0) value.data.push_back(0);
  return value;
}

std::string RegTextKeyIdentity(const RegTextKey& key) { return std::to_string(key.root) + '\\' + FoldCase(key.subpath); }

std::string RegTextValueIdentity(const RegTextKey& key, const RegTextValue& value) {
  return RegTextKeyIdentity(key) + '\0' + FoldCase(value.name);
}

void DistinctRegTextCount::AddKey(const RegTextKey& key) { keys_.insert(RegTextKeyIdentity(key)); }

void DistinctRegTextCount::AddValue(const RegTextKey& key, const RegTextValue& value) {
  values_.insert(RegTextValueIdentity(key, value));
}

RegTextApplied ApplyRegText(Registry& registry, const std::vector<RegTextKey>& keys, RegTextBytes bytes) {
  RegTextApplied applied;
  DistinctRegTextCount count;
  DistinctRegTextCount deleted;
  for (const RegTextKey& key : keys) {
    if (key.remove) {
      if (registry.DeleteKey(key.root, key.subpath) || !registry.OpenRead(key.root, key.subpath)) {
        deleted.AddKey(key);
      } else {
        applied.failures.emplace_back(key.line, "cannot delete key [" + key.path + "]");
      }
      continue;
    }
    const std::unique_ptr<RegKey> open = registry.OpenWrite(key.root, key.subpath);
    if (!open) {
      applied.failures.emplace_back(key.line, "cannot create key [" + key.path + "]");
      continue;
    }
    count.AddKey(key);
    for (const RegTextValue& value : key.values) {
      const bool done =
          value.value ? open->SetValue(value.name, bytes == RegTextBytes::kAsWritten ? *value.value
                                                                                     : AsTheEditorStoresIt(*value.value))
                      : open->DeleteValue(value.name) || !open->QueryValue(value.name);
      if (done) {
        (value.value ? count : deleted).AddValue(key, value);
      } else {
        applied.failures.emplace_back(value.line, "cannot write value \"" + value.name + "\"");
      }
    }
  }
  applied.keys = count.Keys();
  applied.values = count.Values();
  applied.deleted_keys = deleted.Keys();
  applied.deleted_values = deleted.Values();
  return applied;
}

void ImportRegText(Registry& registry, std::string_view text) {
  const RegTextApplied applied = ApplyRegText(registry, ParseRegedit4(text), RegTextBytes::kAsTheEditorStoresIt);
  if (!applied.failures.empty()) throw applied.failures.front();
}
