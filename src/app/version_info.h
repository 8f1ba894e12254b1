#pragma once
// The version record of an executable file: product name, product version
// and file version as text, falling back to the fixed version numbers.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A version record read from a file.
class VersionRecord {
 public:
  virtual ~VersionRecord() = default;
  // The bytes at a path of the record ("\", "\VarFileInfo\Translation",
  // "\StringFileInfo\040904E4\ProductName"); none when it has no such entry.
  // Texts come without their terminating zero.
  virtual std::optional<std::vector<std::uint8_t>> Query(const std::string& path) const = 0;
};

class VersionRecordReader {
 public:
  virtual ~VersionRecordReader() = default;
  // None when the file has no version record or it cannot be read.
  virtual std::unique_ptr<VersionRecord> Read(const std::string& file) = 0;
};

class TVersionInfo {
 public:
  TVersionInfo(const std::string& file, VersionRecordReader& reader);

  bool Valid() const { return record_ != nullptr; }
  std::string GetProductName() const;
  std::string GetProductVersion() const;
  std::string GetFileVersion() const;

  // "040904E4" for language 0x0409 and code page 0x04E4; empty without a
  // translation list.
  std::string TranslationKey() const;
  std::string QueryVersionString(const std::string& name) const;

 private:
  // The version number held at that byte offset of the fixed block.
  std::string FixedVersion(std::size_t offset) const;

  std::string file_;
  std::unique_ptr<VersionRecord> record_;
};

// "1.0.1.23" for the halves 0x00010000 and 0x00010017.
std::string FormatVersionNumber(std::uint32_t high, std::uint32_t low);
