#include "app/version_info.h"

#include <cstdio>

namespace {

std::uint32_t ReadU32(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  std::uint32_t number = 0;
  for (std::size_t i = 0; i < 4; ++i) number |= std::uint32_t{bytes[offset + i]} << (8 * i);
  return number;
}

// The fixed block: signature, structure version, then the file version's
// halves at 8 and 12 and the product version's at 16 and 20.
constexpr std::size_t kFileVersionOffset = 8;
constexpr std::size_t kProductVersionOffset = 16;

}  // namespace

std::string FormatVersionNumber(std::uint32_t high, std::uint32_t low) {
  char text[48];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", high >> 16, high & 0xFFFFu, low >> 16, low & 0xFFFFu);
  return text;
}

TVersionInfo::TVersionInfo(const std::string& file, VersionRecordReader& reader)
    : file_(file), record_(reader.Read(file)) {}

std::string TVersionInfo::TranslationKey() const {
  if (!record_) return "";
  const auto list = record_->Query("\\VarFileInfo\\Translation");
  if (!list || list->size() < 4) return "";
  const unsigned language = (*list)[0] | ((*list)[1] << 8);
  const unsigned code_page = (*list)[2] | ((*list)[3] << 8);
  char key[16];
  std::snprintf(key, sizeof key, "%04X%04X", language, code_page);
  return key;
}

std::string TVersionInfo::QueryVersionString(const std::string& name) const {
  if (!record_) return "";
  const auto text = record_->Query("\\StringFileInfo\\" + TranslationKey() + "\\" + name);
  if (!text) return "";
  std::string result(text->begin(), text->end());
  return result.substr(0, result.find('\0'));
}

std::string TVersionInfo::FixedVersion(std::size_t offset) const {
  const auto fixed = record_->Query("\\");
  if (!fixed || fixed->size() < offset + 8) return "";
  return FormatVersionNumber(ReadU32(*fixed, offset), ReadU32(*fixed, offset + 4));
}

std::string TVersionInfo::GetProductName() const { return QueryVersionString("ProductName"); }

std::string TVersionInfo::GetProductVersion() const {
  std::string text = QueryVersionString("ProductVersion");
  return text.empty() && record_ ? FixedVersion(kProductVersionOffset) : text;
}

std::string TVersionInfo::GetFileVersion() const {
  std::string text = QueryVersionString("FileVersion");
  return text.empty() && record_ ? FixedVersion(kFileVersionOffset) : text;
}
