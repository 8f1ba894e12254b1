// What every registry implementation must do alike: the in-memory registry
// and, in the Windows build, the system registry (sandboxed). Orders and
// limits here were measured on the system registry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/registry_accessor.h"
#include "platform/registry_errors.h"
#include "platform/registry_contract.h"
#include "platform/root_keys.h"
#include "support/test_registries.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::string>;

Bytes BytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

std::string ValueName(std::size_t index) { return std::to_string(index) + "v"; }

TEST_P(RegistryContract, MissingKeysAndRootZeroOpenNothing) {
  EXPECT_EQ(registry_->OpenRead(kHkeyCurrentUser, "Missing"), nullptr);
  EXPECT_EQ(registry_->OpenRead(0, ""), nullptr);
  EXPECT_EQ(registry_->OpenWrite(0, "Anything"), nullptr);
  EXPECT_EQ(registry_->OpenRead(0x80000007u, ""), nullptr);
  EXPECT_FALSE(registry_->DeleteKey(0, "Anything"));
  // Opening for reading creates nothing.
  EXPECT_EQ(Subkeys(""), Names{});
}

TEST_P(RegistryContract, EmptyPathIsTheRootAndRootsAreSeparateTrees) {
  const RootKey roots[] = {kHkeyClassesRoot, kHkeyCurrentUser, kHkeyLocalMachine,
                           kHkeyUsers,       kHkeyCurrentConfig, kHkeyDynData};
  for (RootKey root : roots) Write("Only" + RootKeyName(root), root);
  for (RootKey root : roots) EXPECT_EQ(Subkeys("", root), Names{"Only" + RootKeyName(root)});
}

TEST_P(RegistryContract, PathsTakeATrailingBackslashButNotALeadingOne) {
  Write("Software\\Tarnel");
  EXPECT_NE(registry_->OpenRead(kHkeyCurrentUser, "Software\\Tarnel\\"), nullptr);
  EXPECT_EQ(registry_->OpenRead(kHkeyCurrentUser, "\\Software"), nullptr);
  EXPECT_FALSE(registry_->DeleteKey(kHkeyCurrentUser, "\\Software"));
  EXPECT_FALSE(registry_->DeleteKey(kHkeyCurrentUser, ""));
}

TEST_P(RegistryContract, NamesIgnoreLetterCaseAndKeepTheirFirstSpelling) {
  Write("Software\\MixedCase");
  Write("SOFTWARE\\mixedCASE\\Child");
  Set("software", "ValueName", {kRegSz, BytesOf(std::string("one", 4))});
  Set("software", "VALUENAME", {kRegSz, BytesOf(std::string("two", 4))});
  Write("Software\\\xE9t\xE9");  // Windows-1252 letters fold too
  Write("Software\\\xC9T\xC9");
  EXPECT_EQ(Subkeys(""), Names{"Software"});
  EXPECT_EQ(Subkeys("SoFtWaRe"), (Names{"MixedCase", "\xE9t\xE9"}));
  EXPECT_EQ(Subkeys("software\\MIXEDCASE"), Names{"Child"});

  std::unique_ptr<RegKey> key = registry_->OpenRead(kHkeyCurrentUser, "Software");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->ValueNames(), Names{"ValueName"});
  EXPECT_EQ(key->QueryValue("valuename"), (RegValue{kRegSz, BytesOf(std::string("two", 4))}));
}

// A key opened by any spelling tells its names as stored and one identity,
// which no other key shares; a root key has no stored name.
TEST_P(RegistryContract, AKeyTellsItsNamesAsStoredAndOneIdentityForEverySpelling) {
  Write("Software\\MixedCase\\Child");
  Write("Software\\\xC9t\xE9");
  Set("Software\\MixedCase", "ClassID", {kRegSz, BytesOf(std::string("x", 2))});
  auto open = [&](const std::string& path) { return registry_->OpenRead(kHkeyCurrentUser, path); };
  const std::unique_ptr<RegKey> key = open("SOFTWARE\\mixedcase");
  const std::unique_ptr<RegKey> same = open("Software\\MixedCase\\");
  const std::unique_ptr<RegKey> child = open("software\\MIXEDCASE\\child");
  const std::unique_ptr<RegKey> accented = open("software\\\xE9T\xC9");
  ASSERT_TRUE(key && same && child && accented);
  EXPECT_EQ(key->StoredName(), "MixedCase");
  EXPECT_EQ(child->StoredName(), "Child");
  EXPECT_EQ(accented->StoredName(), "\xC9t\xE9");
  EXPECT_EQ(open("")->StoredName(), std::nullopt);
  EXPECT_EQ(key->StoredValueName("CLASSID"), "ClassID");
  EXPECT_EQ(key->StoredValueName("ClassId2"), std::nullopt);
  EXPECT_FALSE(key->Identity().empty());
  EXPECT_EQ(key->Identity(), same->Identity());
  EXPECT_NE(key->Identity(), child->Identity());
  EXPECT_NE(key->Identity(), accented->Identity());
  EXPECT_NE(key->Identity(), registry_->OpenRead(kHkeyLocalMachine, "")->Identity());
}

// The system registry lists subkeys and values alike: ordered by the
// lower-case Unicode code points of their names, a name before any longer
// name it begins, the default value (empty name) first.
TEST_P(RegistryContract, EnumerationIsInTheRegistrysOrder) {
  const Names created = {"zeta", "Alpha", "_under", "beta", "Beta2", "a",   "AB",   "aa",   "[br",
                         "^up",  "`tick", "Z",      "y",    "0num",  "9",   "~til", "{br",  "\xE9t\xE9",
                         "\xC9T", "zz",   "\xFC",   "ab c", "ab-c",  "ab.c", "abc", "!bang", "-dash",
                         "\x8A", "\x9A" "b", "\x80", "\x9F", "\xD7", "\xF7", "\xDF", "\xE8", "\x7F"};
  const Names ordered = {"!bang", "-dash", "0num", "9",    "[br",  "^up",  "_under", "`tick", "a",
                         "aa",    "AB",    "ab c", "ab-c", "ab.c", "abc",  "Alpha",  "beta",  "Beta2",
                         "y",     "Z",     "zeta", "zz",   "{br",  "~til", "\x7F",   "\xD7",  "\xDF",
                         "\xE8",  "\xC9T", "\xE9t\xE9", "\xF7", "\xFC", "\x9F", "\x8A", "\x9A" "b", "\x80"};
  std::unique_ptr<RegKey> key = Write("Order");
  ASSERT_NE(key, nullptr);
  for (const std::string& name : created) {
    Write("Order\\" + name);
    EXPECT_TRUE(key->SetValue(name, {kRegSz, {0}}));
  }
  EXPECT_TRUE(key->SetValue("", {kRegSz, {0}}));
  EXPECT_EQ(Subkeys("Order"), ordered);
  Names values_ordered = ordered;
  values_ordered.insert(values_ordered.begin(), "");
  EXPECT_EQ(key->ValueNames(), values_ordered);
}

TEST_P(RegistryContract, ValuesKeepTheirTypeAndExactBytes) {
  const std::vector<RegValue> values = {
      {kRegSz, BytesOf(std::string("text", 5))},
      {kRegSz, BytesOf("no terminator")},
      {kRegSz, BytesOf(std::string("\x80\x81\x8D\xFF\xE9", 6))},
      {kRegSz, {}},
      {kRegSz, {0}},
      {kRegExpandSz, BytesOf(std::string("%SystemRoot%\\x\0", 16))},
      {kRegMultiSz, BytesOf(std::string("a\0bc\0\0", 6))},
      {kRegBinary, {}},
      {kRegBinary, {0x00, 0xFF, 0x00}},
      {kRegDword, {1, 2}},
      {kRegDword, {0x78, 0x56, 0x34, 0x12}},
      {kRegQword, {1, 2, 3, 4, 5, 6, 7, 8}},
      {kRegNone, {}},
      {kRegNone, {7}},
      {0x1234, BytesOf("xyz")},
      {kRegBinary, Bytes(70000, 0xA5)},
  };
  {
    std::unique_ptr<RegKey> key = Write("Types");
    ASSERT_NE(key, nullptr);
    for (std::size_t i = 0; i < values.size(); ++i) EXPECT_TRUE(key->SetValue(ValueName(i), values[i]));
  }
  std::unique_ptr<RegKey> key = registry_->OpenRead(kHkeyCurrentUser, "Types");
  ASSERT_NE(key, nullptr);
  for (std::size_t i = 0; i < values.size(); ++i)
    EXPECT_EQ(key->QueryValue(ValueName(i)), values[i]) << "value " << i;
  EXPECT_EQ(key->QueryValue("missing"), std::nullopt);
}

TEST_P(RegistryContract, TheDefaultValueHasTheEmptyName) {
  Set("Key", "", {kRegSz, BytesOf(std::string("default", 8))});
  RegistryAccessor accessor(*registry_, kHkeyCurrentUser);
  ASSERT_TRUE(accessor.OpenKeyReadOnly("Key"));
  EXPECT_EQ(accessor.GetValueNames(), Names{""});
  EXPECT_EQ(accessor.ReadString(""), "default");
}

TEST_P(RegistryContract, ReadStringFollowsTheReadingRules) {
  Set("Key", "sz", {kRegSz, BytesOf(std::string("first\0second", 13))});
  Set("Key", "expand", {kRegExpandSz, BytesOf(std::string("%TEMP%\0", 7))});
  Set("Key", "unterminated", {kRegSz, BytesOf("abc")});
  Set("Key", "empty dword", {kRegDword, {}});
  Set("Key", "empty binary", {kRegBinary, {}});
  Set("Key", "dword", {kRegDword, {1, 0, 0, 0}});
  Set("Key", "multi", {kRegMultiSz, BytesOf(std::string("a\0\0", 3))});
  RegistryAccessor accessor(*registry_, kHkeyCurrentUser);
  ASSERT_TRUE(accessor.OpenKeyReadOnly("Key"));
  EXPECT_EQ(accessor.ReadString("sz"), "first");
  EXPECT_EQ(accessor.ReadString("EXPAND"), "%TEMP%");
  EXPECT_EQ(accessor.ReadString("unterminated"), "abc");
  EXPECT_EQ(accessor.ReadString("empty dword"), "");
  EXPECT_EQ(accessor.ReadString("empty binary"), "");
  for (const std::string name : {"dword", "multi"}) {
    try {
      accessor.ReadString(name);
      ADD_FAILURE() << name << " read as a string";
    } catch (const RegistryError& error) {
      EXPECT_STREQ(error.what(), ("Invalid data type for '" + name + "'").c_str());
    }
  }
  try {
    accessor.ReadString("absent");
    ADD_FAILURE() << "a missing value read as a string";
  } catch (const RegistryError& error) {
    EXPECT_STREQ(error.what(), "Failed to get data for 'absent'");
  }
}

TEST_P(RegistryContract, IntegersAreFourByteDwords) {
  RegistryAccessor accessor(*registry_, kHkeyCurrentUser);
  ASSERT_TRUE(accessor.OpenKeyWrite("Key"));
  EXPECT_TRUE(accessor.WriteInteger("wide", 7864570));
  EXPECT_TRUE(accessor.WriteInteger("negative", -2));
  Set("Key", "text", {kRegSz, BytesOf(std::string("1\0", 2))});
  Set("Key", "binary", {kRegBinary, {1, 0, 0, 0}});
  Set("Key", "qword", {kRegQword, {1, 0, 0, 0, 0, 0, 0, 0}});
  ASSERT_TRUE(accessor.OpenKeyReadOnly("Key"));
  EXPECT_EQ(accessor.ReadValue("wide"), (RegValue{kRegDword, {0xFA, 0x00, 0x78, 0x00}}));
  EXPECT_EQ(accessor.ReadInteger("wide"), 7864570);
  EXPECT_EQ(accessor.ReadInteger("negative"), -2);
  const std::pair<std::string, std::string> failures[] = {
      {"text", "Invalid data type for 'text'"},
      {"binary", "Invalid data type for 'binary'"},
      {"qword", "Failed to get data for 'qword'"},
      {"absent", "Failed to get data for 'absent'"}};
  for (const auto& [name, message] : failures) {
    try {
      accessor.ReadInteger(name);
      ADD_FAILURE() << name << " read as an integer";
    } catch (const RegistryError& error) {
      EXPECT_EQ(error.what(), message);
    }
  }
}

TEST_P(RegistryContract, AccessorWithoutAnOpenKeyFindsNothing) {
  Set("Key", "v", {kRegSz, {0}});
  RegistryAccessor accessor(*registry_, kHkeyCurrentUser);
  EXPECT_TRUE(accessor.KeyExists("key"));
  EXPECT_FALSE(accessor.KeyExists("key\\missing"));
  EXPECT_FALSE(accessor.OpenKeyReadOnly("missing"));
  EXPECT_EQ(accessor.GetValueNames(), Names{});
  EXPECT_FALSE(accessor.ValueExists("v"));
  accessor.SetRootKey(0);
  EXPECT_FALSE(accessor.KeyExists("Key"));
}

TEST_P(RegistryContract, KeysOpenedForReadingRefuseWrites) {
  Set("Key", "v", {kRegSz, {0}});
  std::unique_ptr<RegKey> key = registry_->OpenRead(kHkeyCurrentUser, "Key");
  ASSERT_NE(key, nullptr);
  EXPECT_FALSE(key->SetValue("w", {kRegSz, {0}}));
  EXPECT_FALSE(key->DeleteValue("v"));
  EXPECT_EQ(key->ValueNames(), Names{"v"});
}

TEST_P(RegistryContract, DeleteValueRemovesOneValue) {
  Set("Key", "keep", {kRegDword, {1, 0, 0, 0}});
  Set("Key", "drop", {kRegDword, {2, 0, 0, 0}});
  std::unique_ptr<RegKey> key = Write("Key");
  ASSERT_NE(key, nullptr);
  EXPECT_TRUE(key->DeleteValue("DROP"));
  EXPECT_FALSE(key->DeleteValue("drop"));
  EXPECT_EQ(key->ValueNames(), Names{"keep"});
}

TEST_P(RegistryContract, DeleteKeyRemovesTheWholeBranch) {
  Set("Top\\Branch\\Leaf\\Deeper", "v", {kRegSz, {0}});
  Set("Top\\Branch\\Other", "v", {kRegSz, {0}});
  Write("Top\\Sibling");
  EXPECT_TRUE(registry_->DeleteKey(kHkeyCurrentUser, "top\\BRANCH"));
  EXPECT_EQ(Subkeys("Top"), Names{"Sibling"});
  EXPECT_EQ(registry_->OpenRead(kHkeyCurrentUser, "Top\\Branch\\Leaf"), nullptr);
  EXPECT_FALSE(registry_->DeleteKey(kHkeyCurrentUser, "Top\\Branch"));
  // A key made again after the deletion starts empty.
  EXPECT_EQ(Subkeys("Top\\Branch", kHkeyCurrentUser), Names{"<cannot open>"});
  Write("Top\\Branch");
  EXPECT_EQ(Subkeys("Top\\Branch"), Names{});
}

// What a deletion that must never take more than it compared relies on: a
// key with a subkey is not removed by the leaf call, and a key that went is
// not brought back by opening it for writing.
TEST_P(RegistryContract, TheLeafCallRemovesOnlyAKeyWithoutSubkeysAndOpeningForWritingCreatesNothing) {
  Set("Leafy\\Parent\\Child", "v", {kRegSz, {'1', 0}});
  Set("Leafy\\Parent", "p", {kRegSz, {'2', 0}});
  EXPECT_FALSE(registry_->DeleteLeafKey(kHkeyCurrentUser, "Leafy\\Parent"));
  EXPECT_EQ(Subkeys("Leafy\\Parent"), Names{"Child"});
  EXPECT_TRUE(registry_->DeleteLeafKey(kHkeyCurrentUser, "leafy\\PARENT\\child")) << "with its values";
  EXPECT_TRUE(registry_->DeleteLeafKey(kHkeyCurrentUser, "Leafy\\Parent"));
  EXPECT_EQ(Subkeys("Leafy"), Names{});
  EXPECT_FALSE(registry_->DeleteLeafKey(kHkeyCurrentUser, "Leafy\\Parent")) << "gone";
  EXPECT_EQ(registry_->OpenExisting(kHkeyCurrentUser, "Leafy\\Parent"), nullptr);
  EXPECT_EQ(Subkeys("Leafy"), Names{}) << "not created";
  std::unique_ptr<RegKey> existing = registry_->OpenExisting(kHkeyCurrentUser, "Leafy");
  ASSERT_NE(existing, nullptr);
  EXPECT_TRUE(existing->SetValue("w", {kRegSz, {'3', 0}})) << "open for writing";
}

TEST_P(RegistryContract, AKeyStillOpenWhenDeletedReadsEmptyAndRefusesWrites) {
  Set("Gone\\Child", "v", {kRegSz, {0}});
  std::unique_ptr<RegKey> open_child = Write("Gone\\Child");
  ASSERT_NE(open_child, nullptr);
  EXPECT_TRUE(registry_->DeleteKey(kHkeyCurrentUser, "Gone"));
  EXPECT_EQ(open_child->ValueNames(), Names{});
  EXPECT_EQ(open_child->QueryValue("v"), std::nullopt);
  EXPECT_FALSE(open_child->SetValue("w", {kRegSz, {0}}));
  EXPECT_EQ(registry_->OpenRead(kHkeyCurrentUser, "Gone"), nullptr);
}

// Windows documents 255 characters for a key name; a full path has no
// limit of its own when reached relative to open parents (the ANSI calls
// of Wine refuse paths over 260 characters given whole).
TEST_P(RegistryContract, KeysOfAnyPathLengthAreReachedByTheirFullPath) {
  std::string parent = "Deep";
  for (int i = 0; parent.size() < 2000; ++i) parent += "\\" + std::string(252, static_cast<char>('a' + i % 26)) + std::to_string(100 + i);
  const std::string path = parent + "\\Leaf";
  Set(path, "v", {kRegDword, {7, 0, 0, 0}});
  std::unique_ptr<RegKey> key = registry_->OpenRead(kHkeyCurrentUser, path);
  ASSERT_NE(key, nullptr) << path.size() << " characters";
  EXPECT_EQ(key->QueryValue("v"), (RegValue{kRegDword, {7, 0, 0, 0}}));
  EXPECT_EQ(Subkeys(parent), Names{"Leaf"});
  Set(parent + "\\LEAF", "w", {kRegDword, {8, 0, 0, 0}});
  EXPECT_EQ(Subkeys(parent), Names{"Leaf"}) << "names differing only in case are one key";
  EXPECT_EQ(registry_->OpenRead(kHkeyCurrentUser, path)->ValueNames(), (Names{"v", "w"}));
  const std::string middle = parent.substr(0, parent.find('\\', 1000));
  EXPECT_TRUE(registry_->DeleteKey(kHkeyCurrentUser, middle + "\\"));
  EXPECT_EQ(registry_->OpenRead(kHkeyCurrentUser, middle), nullptr);
  EXPECT_NE(registry_->OpenRead(kHkeyCurrentUser, middle.substr(0, middle.rfind('\\'))), nullptr);
  EXPECT_TRUE(registry_->DeleteKey(kHkeyCurrentUser, "Deep"));
  EXPECT_EQ(registry_->OpenRead(kHkeyCurrentUser, "Deep"), nullptr);
}

TEST_P(RegistryContract, ValueNamesMayHaveUpTo16383Characters) {
  std::unique_ptr<RegKey> key = Write("Long");
  ASSERT_NE(key, nullptr);
  const std::string longest(16383, 'n');
  EXPECT_TRUE(key->SetValue(longest, {kRegDword, {1, 0, 0, 0}}));
  EXPECT_FALSE(key->SetValue(longest + "n", {kRegDword, {1, 0, 0, 0}}));
  EXPECT_EQ(key->ValueNames(), Names{longest});
}

INSTANTIATE_TEST_SUITE_P(Each, RegistryContract, testing::ValuesIn(TestRegistryKinds()), TestRegistryKindName);

}  // namespace
