#include "regtext/regedit4_writer.h"

#include <algorithm>

std::string ReplaceAll(const std::string& text, const std::string& pattern,
                       const std::string& replacement) {
  if (pattern.empty()) return text;
  std::string result;
  std::string::size_type from = 0;
  for (std::string::size_type at; (at = text.find(pattern, from)) != std::string::npos;
       from = at + pattern.size()) {
    result.append(text, from, at - from);
    result += replacement;
  }
  result.append(text, from, std::string::npos);
  return result;
}

std::string EscapeRegText(const std::string& text) {
  return ReplaceAll(ReplaceAll(text, "\\", "\\\\"), "\"", "\\\"");
}

std::string BinaryToHexList(const std::uint8_t* bytes, std::size_t count) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string list;
  list.reserve(count * 3);
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) list += ',';
    list += kDigits[bytes[i] >> 4];
    list += kDigits[bytes[i] & 0x0F];
  }
  return list;
}

bool IsSingleLine(const std::string& text) {
  return text.find_first_of("\r\n") == std::string::npos;
}

std::string RegDocumentText(const RegDocument& document) {
  std::string text;
  for (const std::string& line : document) text += line + "\r\n";
  return text;
}

static int InsertLines(RegDocument& document, int index, const RegDocument& lines) {
  document.insert(document.begin() + index, lines.begin(), lines.end());
  return index + static_cast<int>(lines.size()) - 1;
}

static std::string QuotedName(const std::string& name) {
  return '"' + EscapeRegText(name) + '"';
}

int WriteStringValue(RegDocument& document, int index, const std::string& name,
                     const std::string& text) {
  const std::string key = name.empty() ? std::string("@") : QuotedName(name);
  return InsertLines(document, index, {key + "=\"" + EscapeRegText(text) + '"'});
}

int WriteDwordValue(RegDocument& document, int index, const std::string& name,
                    std::uint32_t number) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string digits(8, '0');
  for (int i = 7; i >= 0; --i, number >>= 4) digits[i] = kDigits[number & 0x0F];
  return InsertLines(document, index, {QuotedName(name) + "=dword:" + digits});
}

static std::string HexPrefix(const std::string& name, std::uint32_t type) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string tag = "hex";
  if (type != kRegBinary) {
    std::string number;
    do {
      number.insert(number.begin(), kDigits[type & 0x0F]);
      type >>= 4;
    } while (type != 0);
    tag += '(' + number + ')';
  }
  return QuotedName(name) + '=' + tag + ':';
}

int WriteBinaryValue(RegDocument& document, int index, const std::string& name,
                     std::uint32_t type, const std::vector<std::uint8_t>& bytes) {
  const std::string prefix = HexPrefix(name, type);
  const int p = static_cast<int>(prefix.size());
  const std::size_t first = p <= kRegLineWidth - 3 ? (kRegLineWidth - p) / 3 : 1;
  const std::uint8_t* data = bytes.data();
  std::size_t left = bytes.size();
  if (left <= first) return InsertLines(document, index, {prefix + BinaryToHexList(data, left)});

  RegDocument lines{prefix + BinaryToHexList(data, first) + ",\\"};
  data += first;
  left -= first;
  for (; left > kHexBytesPerContinuation;
       data += kHexBytesPerContinuation, left -= kHexBytesPerContinuation)
    lines.push_back(' ' + BinaryToHexList(data, kHexBytesPerContinuation) + ",\\");
  lines.push_back(' ' + BinaryToHexList(data, left));
  return InsertLines(document, index, lines);
}

bool WritesStringLine(const RegValue& value) {
  const std::vector<std::uint8_t>& data = value.data;
  if (value.type != kRegSz || data.empty() || data.back() != 0) return false;
  return std::none_of(data.begin(), data.end() - 1,
                      [](std::uint8_t c) { return c == 0 || c == '\r' || c == '\n'; });
}

int WriteValue(RegDocument& document, int index, const std::string& name,
               const RegValue& value) {
  if (!IsSingleLine(name)) return index - 1;
  if (WritesStringLine(value))
    return WriteStringValue(document, index, name,
                            std::string(value.data.begin(), value.data.end() - 1));
  if (value.type == kRegDword && value.data.size() == 4) {
    const std::uint8_t* b = value.data.data();
    return WriteDwordValue(document, index, name,
                           b[0] | b[1] << 8 | b[2] << 16 | static_cast<std::uint32_t>(b[3]) << 24);
  }
  return WriteBinaryValue(document, index, name, value.type, value.data);
}

bool MergeOnlyAddsATerminator(const RegValue& value) {
  return (value.type == kRegSz || value.type == kRegExpandSz) && !MergesBackExactly(value);
}

bool MergesBackExactly(const RegValue& value) {
  const bool text = value.type == kRegSz || value.type == kRegExpandSz || value.type == kRegMultiSz;
  return !text || value.data.empty() || value.data.back() == 0;
}
