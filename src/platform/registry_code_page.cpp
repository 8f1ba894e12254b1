#include "platform/registry_code_page.h"

bool IsTextType(std::uint32_t type) { return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz; }

NamesInCodePage SplitNames(const std::vector<std::u16string>& names, const CodePage& to) {
  NamesInCodePage split;
  for (const std::u16string& name : names) {
    if (std::optional<std::string> converted = to.FromWide(name))
      split.readable.push_back(std::move(*converted));
    else
      split.unreadable.push_back(ShownInCodePage(name, to));
  }
  return split;
}

std::optional<std::u16string> WideFromBytes(const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() % 2 != 0) return std::nullopt;
  std::u16string text(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i)
    text[i] = static_cast<char16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
  return text;
}

std::vector<std::uint8_t> BytesFromWide(std::u16string_view text) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(text.size() * 2);
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return bytes;
}

std::optional<RegValue> ValueFromWide(const RegValue& wide, const CodePage& to) {
  if (!IsTextType(wide.type)) return wide;
  const std::optional<std::u16string> text = WideFromBytes(wide.data);
  if (!text) return std::nullopt;
  const std::optional<std::string> converted = to.FromWide(*text);
  if (!converted) return std::nullopt;
  return RegValue{wide.type, std::vector<std::uint8_t>(converted->begin(), converted->end())};
}

std::optional<RegValue> ValueToWide(const RegValue& value, const CodePage& from) {
  if (!IsTextType(value.type)) return value;
  const std::optional<std::u16string> text =
      from.ToWide(std::string_view(reinterpret_cast<const char*>(value.data.data()), value.data.size()));
  if (!text) return std::nullopt;
  return RegValue{value.type, BytesFromWide(*text)};
}
