#include "regtext/reg_file_encoding.h"

#include <map>
#include <optional>

#include "platform/registry_code_page.h"

namespace {

// How the data of text types stands in a file: in the file's code page
// (REGEDIT4), or as UTF-16LE in hex lists beside UTF-8 string lines (the
// later form, here before it goes to UTF-16).
enum class TextData { kInCodePage, kWideHex };

const CodePage& Utf8() {
  static const Utf8CodePage utf8;
  return utf8;
}

std::optional<RegValue> ValueInCodePage(const RegTextValue& value, const CodePage& from, const CodePage& to,
                                        TextData from_form) {
  if (!IsTextType(value.value->type)) return value.value;
  if (from_form == TextData::kWideHex && !value.quoted) return ValueFromWide(*value.value, to);
  const std::optional<RegValue> wide = ValueToWide(*value.value, from);
  if (!wide) return std::nullopt;
  return ValueFromWide(*wide, to);
}

// The lines of one value in the other code page; empty when its name or
// text has no form there.
std::optional<RegDocument> ValueLines(const RegTextValue& value, const CodePage& from, const CodePage& to,
                                      TextData to_form) {
  const std::optional<std::string> name = Recode(value.name, from, to);
  if (!name) return std::nullopt;
  RegDocument lines;
  const RegValue& data = *value.value;
  if (to_form == TextData::kWideHex && IsTextType(data.type) && !WritesStringLine(data)) {
    const std::optional<RegValue> wide = ValueToWide(data, from);
    if (!wide) return std::nullopt;
    WriteBinaryValue(lines, 0, *name, data.type, wide->data);
    return lines;
  }
  const std::optional<RegValue> converted = ValueInCodePage(value, from, to, TextData::kInCodePage);
  if (!converted) return std::nullopt;
  WriteValue(lines, 0, *name, *converted);
  return lines;
}

// The document written again in another code page: each value by the same
// writer from its name and data converted, every other line converted as
// it stands. Empty when something has no form there.
std::optional<RegDocument> Recoded(const RegDocument& document, const CodePage& from, const CodePage& to,
                                   TextData to_form) {
  const std::vector<RegTextKey> keys = ParseRegedit4(RegDocumentText(document));
  std::map<std::size_t, const RegTextValue*> values_at;  // by line number, from 1
  for (const RegTextKey& key : keys)
    for (const RegTextValue& value : key.values)
      if (value.value) values_at[static_cast<std::size_t>(value.line)] = &value;
  RegDocument out{document.front()};
  for (std::size_t i = 1; i < document.size();) {
    const auto found = values_at.find(i + 1);
    if (found == values_at.end()) {
      const std::optional<std::string> line = Recode(document[i], from, to);
      if (!line) return std::nullopt;
      out.push_back(*line);
      ++i;
      continue;
    }
    const RegTextValue& value = *found->second;
    RegDocument as_written;
    WriteValue(as_written, 0, value.name, *value.value);
    const std::optional<RegDocument> lines = ValueLines(value, from, to, to_form);
    if (!lines) return std::nullopt;
    out.insert(out.end(), lines->begin(), lines->end());
    i += as_written.size();
  }
  return out;
}

std::vector<RegTextKey> InProgramCodePage(std::vector<RegTextKey> keys, const CodePage& from, const CodePage& to,
                                          TextData from_form) {
  if (from.Id() == to.Id() && from_form == TextData::kInCodePage) return keys;
  for (RegTextKey& key : keys) {
    const std::optional<std::string> path = Recode(key.path, from, to);
    const std::optional<std::string> subpath = Recode(key.subpath, from, to);
    if (!path || !subpath) throw RegTextError(key.line, "the key name has no form in this program's code page");
    key.path = *path;
    key.subpath = *subpath;
    for (RegTextValue& value : key.values) {
      const std::optional<std::string> name = Recode(value.name, from, to);
      if (!name) throw RegTextError(value.line, "the value name has no form in this program's code page");
      value.name = *name;
      if (!value.value) continue;
      const std::optional<RegValue> converted = ValueInCodePage(value, from, to, from_form);
      if (!converted) throw RegTextError(value.line, "the text has no form in this program's code page");
      value.value = *converted;
    }
  }
  return keys;
}

constexpr std::string_view kByteOrderMark = "\xFF\xFE";

}  // namespace

std::string EncodeRegFile(const RegDocument& document, const CodePages& pages) {
  if (pages.program.Id() == pages.system.Id()) return RegDocumentText(document);
  if (const std::optional<RegDocument> ansi = Recoded(document, pages.program, pages.system, TextData::kInCodePage))
    return RegDocumentText(*ansi);
  std::optional<RegDocument> unicode = Recoded(document, pages.program, Utf8(), TextData::kWideHex);
  // Bytes that are no text of the program's own code page have no other
  // form either: they go as they are.
  if (!unicode) return RegDocumentText(document);
  unicode->front() = kRegistryEditor5Header;
  const std::vector<std::uint8_t> bytes = BytesFromWide(*Utf8().ToWide(RegDocumentText(*unicode)));
  return std::string(kByteOrderMark) + std::string(bytes.begin(), bytes.end());
}

std::vector<RegTextKey> DecodeRegFile(std::string_view bytes, const CodePages& pages) {
  if (!bytes.starts_with(kByteOrderMark))
    return InProgramCodePage(ParseRegedit4(bytes), pages.system, pages.program, TextData::kInCodePage);
  const std::optional<std::u16string> wide =
      WideFromBytes(std::vector<std::uint8_t>(bytes.begin() + kByteOrderMark.size(), bytes.end()));
  if (!wide) throw RegTextError(1, "UTF-16 text of an odd number of bytes");
  const std::optional<std::string> text = Utf8().FromWide(*wide);
  if (!text) throw RegTextError(1, "UTF-16 text with a broken surrogate pair");
  return InProgramCodePage(ParseRegedit4(*text, kRegistryEditor5Header), Utf8(), pages.program, TextData::kWideHex);
}

std::optional<std::vector<std::string>> RegFileLines(std::string_view bytes) {
  std::string text(bytes);
  if (bytes.starts_with(kByteOrderMark)) {
    const std::optional<std::u16string> wide =
        WideFromBytes(std::vector<std::uint8_t>(bytes.begin() + kByteOrderMark.size(), bytes.end()));
    const std::optional<std::string> utf8 = wide ? Utf8().FromWide(*wide) : std::nullopt;
    if (!utf8) return std::nullopt;
    text = *utf8;
  }
  // Line ends as the reader takes them: CR LF, LF or a lone CR.
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') {
      line += text[i];
      continue;
    }
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    lines.push_back(std::move(line));
    line.clear();
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}
