// The value list's rows over the in-memory registry.
#include <gtest/gtest.h>

#include "app/value_list.h"
#include "platform/memory_registry.h"
#include "platform/registry_errors.h"
#include "regtext/regedit4_reader.h"

// Readable failures.
void PrintTo(const ValueRow& row, std::ostream* out) {
  *out << '{' << row.caption << ", " << row.data.value_or("<none>") << ", image " << row.image << ", code "
       << row.type_code << '}';
}

namespace {

class ValueListTest : public testing::Test {
 protected:
  void SetUp() override {
    ImportRegText(registry_,
                  "REGEDIT4\r\n\r\n"
                  "[HKEY_CURRENT_USER\\Software\\Stale]\r\n"
                  "@=\"default text\"\r\n"
                  "\"FOO\"=\"C:\\\\gone.exe\"\r\n"
                  "\"Bar\"=dword:000000ff\r\n"
                  "\"Zero\"=dword:00000000\r\n"
                  "\"High\"=dword:80000000\r\n"
                  "\"All\"=dword:ffffffff\r\n"
                  "\"Bin\"=hex:01,02\r\n"
                  "\"Path\"=hex(2):25,54,45,4d,50,25,00\r\n"
                  "\"Multi\"=hex(7):61,00,00\r\n");
  }
  ResultNode& Problem(std::vector<std::string> values, int level = 0) {
    auto record = std::make_unique<TErrorClass>("File not found", level);
    for (const std::string& name : values) record->AddValueName(name);
    return *InsertProblemPath(tree_, *tree_.Top(), "HKEY_CURRENT_USER\\Software\\Stale", std::move(record));
  }
  std::vector<std::string> Captions(const std::vector<ValueRow>& rows) {
    std::vector<std::string> captions;
    for (const ValueRow& row : rows) captions.push_back(row.caption);
    return captions;
  }
  // The key's values in the registry's enumeration order, as rows name them.
  std::vector<std::string> RegistryOrder() {
    std::vector<std::string> names = registry_.OpenRead(0x80000001u, "Software\\Stale")->ValueNames();
    for (std::string& name : names)
      if (name.empty()) name = "(Default)";
    return names;
  }
  ValueRow Row(const std::vector<ValueRow>& rows, const std::string& caption) {
    for (const ValueRow& row : rows)
      if (row.caption == caption) return row;
    ADD_FAILURE() << "no row " << caption;
    return {};
  }

  MemoryRegistry registry_;
  ResultTree tree_;
};

TEST_F(ValueListTest, OnlyTheNamedValuesUnlessAllValuesInRegistryOrder) {
  ResultNode& node = Problem({"foo", "(Default)"});
  std::vector<std::string> named;
  for (const std::string& name : RegistryOrder())
    if (name == "(Default)" || name == "FOO") named.push_back(name);
  EXPECT_EQ(Captions(ValueRows(registry_, node, false)), named);
  EXPECT_EQ(Captions(ValueRows(registry_, node, true)), RegistryOrder());
  EXPECT_EQ(RegistryOrder().size(), 9u);
}

TEST_F(ValueListTest, EachTypeHasItsPictureCodeAndData) {
  const std::vector<ValueRow> rows = ValueRows(registry_, Problem({}), true);
  EXPECT_EQ(Row(rows, "(Default)"), (ValueRow{"(Default)", "default text", kTextValueImage, kSzTypeCode}));
  EXPECT_EQ(Row(rows, "FOO"), (ValueRow{"FOO", "C:\\gone.exe", kTextValueImage, kSzTypeCode}));
  EXPECT_EQ(Row(rows, "Bar"), (ValueRow{"Bar", "0x000000FF(255)", kNumberValueImage, kDwordTypeCode}));
  EXPECT_EQ(Row(rows, "Zero").data, "0x00000000(0)");
  EXPECT_EQ(Row(rows, "High").data, "0x80000000(-2147483648)");
  EXPECT_EQ(Row(rows, "All").data, "0xFFFFFFFF(-1)");
  EXPECT_EQ(Row(rows, "Bin"), (ValueRow{"Bin", std::nullopt, kNumberValueImage, kBinaryTypeCode}));
  EXPECT_EQ(Row(rows, "Path"), (ValueRow{"Path", "%TEMP%", kTextValueImage, kExpandSzTypeCode})) << "unexpanded";
  EXPECT_EQ(Row(rows, "Multi"), (ValueRow{"Multi", std::nullopt, kOtherValueImage, kOtherTypeCode}));
}

TEST_F(ValueListTest, NothingForANodeWithoutRecordOrAKeyDeletedSinceTheScan) {
  ResultNode& node = Problem({"FOO"});
  EXPECT_TRUE(ValueRows(registry_, *node.Parent(), true).empty()) << "a plain path node";
  registry_.DeleteKey(0x80000001u, "Software\\Stale");
  EXPECT_TRUE(ValueRows(registry_, node, true).empty());
}

TEST_F(ValueListTest, AValueThatCannotBeReadAsItsTypeSaysIsAnError) {
  registry_.OpenWrite(0x80000001u, "Software\\Stale")->SetValue("Bar", {kRegDword, std::vector<std::uint8_t>(8, 1)});
  try {
    ValueRows(registry_, Problem({"Bar"}), false);
    ADD_FAILURE() << "an eight-byte DWORD read as a number";
  } catch (const RegistryError& error) {
    EXPECT_STREQ(error.what(), "Failed to get data for 'Bar'");
  }
}

TEST(RecordNamesValue, IgnoresLetterCase) {
  TErrorClass record("File not found", "(Default)", 0);
  record.AddValueName("foo");
  EXPECT_TRUE(RecordNamesValue(record, "FOO"));
  EXPECT_TRUE(RecordNamesValue(record, "(default)"));
  EXPECT_FALSE(RecordNamesValue(record, "Bar"));
}

}  // namespace
