#include <gtest/gtest.h>

#include <map>

#include "app/link_hover.h"
#include "app/version_info.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

// The fixed block with a file version and a product version.
Bytes Fixed(std::uint32_t file_high, std::uint32_t file_low, std::uint32_t product_high, std::uint32_t product_low) {
  Bytes block(52, 0);
  const std::uint32_t halves[] = {file_high, file_low, product_high, product_low};
  for (int i = 0; i < 4; ++i)
    for (int b = 0; b < 4; ++b) block[8 + 4 * i + b] = static_cast<std::uint8_t>(halves[i] >> (8 * b));
  return block;
}

class FakeRecord : public VersionRecord {
 public:
  explicit FakeRecord(std::map<std::string, Bytes> entries) : entries_(std::move(entries)) {}
  std::optional<Bytes> Query(const std::string& path) const override {
    auto found = entries_.find(path);
    return found == entries_.end() ? std::nullopt : std::optional<Bytes>(found->second);
  }

 private:
  std::map<std::string, Bytes> entries_;
};

class FakeReader : public VersionRecordReader {
 public:
  std::map<std::string, Bytes> entries;
  bool has_record = true;
  std::string file_read;
  std::unique_ptr<VersionRecord> Read(const std::string& file) override {
    file_read = file;
    return has_record ? std::make_unique<FakeRecord>(entries) : nullptr;
  }
};

TEST(TVersionInfo, TheShippedRecordGivesItsTexts) {
  FakeReader reader;
  reader.entries = {{"\\VarFileInfo\\Translation", {0x09, 0x04, 0xE4, 0x04}},
                    {"\\", Fixed(0x00010000, 0x00010017, 0x00020001, 0)},
                    {"\\StringFileInfo\\040904E4\\ProductName", Text("Tarnel")},
                    {"\\StringFileInfo\\040904E4\\ProductVersion", Text("2.1")},
                    {"\\StringFileInfo\\040904E4\\FileVersion", Text("1.0.1.23")}};
  const TVersionInfo version("C:\\Tarnel\\Tarnel.exe", reader);
  EXPECT_EQ(reader.file_read, "C:\\Tarnel\\Tarnel.exe");
  EXPECT_EQ(version.TranslationKey(), "040904E4");
  EXPECT_EQ(version.GetProductName(), "Tarnel");
  EXPECT_EQ(version.GetProductVersion(), "2.1");
  EXPECT_EQ(version.GetFileVersion(), "1.0.1.23");
}

TEST(TVersionInfo, MissingStringsFallBackToTheFixedNumbersButTheNameDoesNot) {
  FakeReader reader;
  reader.entries = {{"\\VarFileInfo\\Translation", {0x07, 0x04, 0xB0, 0x04}},
                    {"\\", Fixed(0x00010000, 0x00010017, 0xFFFF0002, 0x00030004)},
                    {"\\StringFileInfo\\040904E4\\FileVersion", Text("wrong table")}};
  const TVersionInfo version("x.exe", reader);
  EXPECT_EQ(version.TranslationKey(), "040704B0");
  EXPECT_EQ(version.GetProductName(), "");
  EXPECT_EQ(version.GetFileVersion(), "1.0.1.23");
  EXPECT_EQ(version.GetProductVersion(), "65535.2.3.4");

  reader.entries.erase("\\VarFileInfo\\Translation");
  EXPECT_EQ(TVersionInfo("x.exe", reader).GetFileVersion(), "1.0.1.23") << "no translation list";
}

TEST(TVersionInfo, WithoutARecordEverythingIsEmpty) {
  FakeReader reader;
  reader.has_record = false;
  const TVersionInfo version("x.exe", reader);
  EXPECT_FALSE(version.Valid());
  EXPECT_EQ(version.GetProductName() + version.GetProductVersion() + version.GetFileVersion(), "");
}

TEST(LinkHover, ALinkStaysUnderlinedUntilTheMouseReachesThePanel) {
  LinkHover hover;
  EXPECT_TRUE(hover.MouseOnLink(0));
  EXPECT_FALSE(hover.MouseOnLink(0)) << "already underlined: nothing to redraw";
  EXPECT_TRUE(hover.MouseOnLink(1));
  EXPECT_TRUE(hover.Underlined(0) && hover.Underlined(1));
  EXPECT_TRUE(hover.MouseOnPanel());
  EXPECT_FALSE(hover.Underlined(0) || hover.Underlined(1));
  EXPECT_FALSE(hover.MouseOnPanel());
}

}  // namespace
