// The hives of one machine and user shown where Windows shows them.
#include <gtest/gtest.h>

#include "platform/memory_registry.h"
#include "platform/offline/hive_registry.h"
#include "regtext/regedit4_reader.h"
#include "platform/root_keys.h"
#include "support/offline/hive_writer.h"
#include "support/offline/offline_fixtures.h"

namespace {

using Names = std::vector<std::string>;

std::shared_ptr<const Hive> HiveOf(const ScratchFolder& folder, const std::string& name, const std::string& text,
                                   RootKey root, const std::string& path) {
  MemoryRegistry source;
  ImportRegText(source, "REGEDIT4\r\n\r\n" + text);
  const std::string file = folder.Path() + "/" + name;
  WriteHive(file, source, root, path, Utf8CodePage());
  return std::make_shared<const Hive>(file);
}

std::string Text(RegKey& key, const std::string& name) {
  const std::optional<RegValue> value = key.QueryValue(name);
  return value ? std::string(value->data.begin(), value->data.end()) : "<none>";
}

class HiveRegistryTest : public testing::Test {
 protected:
  void SetUp() override {
    registry_.Mount(kHkeyLocalMachine, "Software",
                    HiveOf(folder_, "SOFTWARE",
                           "[HKEY_LOCAL_MACHINE\\Software\\Classes\\txtfile]\r\n@=\"Text\"\r\n"
                           "[HKEY_LOCAL_MACHINE\\Software\\Classes\\Shared\\MachineOnly]\r\n"
                           "[HKEY_LOCAL_MACHINE\\Software\\Classes\\Shared]\r\n@=\"machine\"\r\n\"m\"=\"1\"\r\n",
                           kHkeyLocalMachine, "Software"));
    registry_.Mount(kHkeyCurrentUser, "",
                    HiveOf(folder_, "NTUSER.DAT",
                           "[HKEY_CURRENT_USER\\Software\\Tarnel]\r\n\"v\"=\"1\"\r\n"
                           "[HKEY_CURRENT_USER\\Software\\\xD0\x92\xD0\xB5\xD0\xBA\xD1\x81]\r\n"
                           "\"\xD0\x98\xD0\xBC\xD1\x8F\"=\"\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82\"\r\n"
                           "[HKEY_CURRENT_USER\\Software\\Classes\\Stale]\r\n",
                           kHkeyCurrentUser, ""));
    registry_.Mount(kHkeyCurrentUser, "Software\\Classes",
                    HiveOf(folder_, "UsrClass.dat",
                           "[HKEY_CURRENT_USER\\Shared\\UserOnly]\r\n[HKEY_CURRENT_USER\\Shared]\r\n@=\"user\"\r\n"
                           "[HKEY_CURRENT_USER\\UserApp]\r\n",
                           kHkeyCurrentUser, ""));
    registry_.MergeClassesRoot();
  }

  ScratchFolder folder_;
  const Utf8CodePage utf8_;
  HiveRegistry registry_{utf8_};
};

TEST_F(HiveRegistryTest, EachHiveIsShownAtItsPlaceWithTheKeysAboveIt) {
  const std::unique_ptr<RegKey> machine = registry_.OpenRead(kHkeyLocalMachine, "");
  ASSERT_NE(machine, nullptr);
  EXPECT_EQ(machine->SubkeyNames(), Names{"Software"});
  EXPECT_EQ(machine->ValueNames(), Names{});
  const std::unique_ptr<RegKey> text = registry_.OpenRead(kHkeyLocalMachine, "SOFTWARE\\classes\\TXTFILE\\");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(Text(*text, ""), std::string("Text", 5));
  EXPECT_EQ(registry_.OpenRead(kHkeyLocalMachine, "System"), nullptr);
  EXPECT_EQ(registry_.OpenRead(kHkeyUsers, ""), nullptr);
  EXPECT_EQ(registry_.OpenRead(kHkeyCurrentUser, "\\Software"), nullptr);

  const std::unique_ptr<RegKey> software = registry_.OpenRead(kHkeyCurrentUser, "Software");
  ASSERT_NE(software, nullptr);
  EXPECT_EQ(software->SubkeyNames(), (Names{"Classes", "Tarnel", "\xD0\x92\xD0\xB5\xD0\xBA\xD1\x81"}));
  // The user's classes hive, not NTUSER.DAT's own Classes key, is
  // HKEY_CURRENT_USER\Software\Classes.
  EXPECT_EQ(registry_.OpenRead(kHkeyCurrentUser, "Software\\Classes\\Stale"), nullptr);
  EXPECT_NE(registry_.OpenRead(kHkeyCurrentUser, "Software\\Classes\\UserApp"), nullptr);
}

TEST_F(HiveRegistryTest, NamesAndTextReachTheProgramInUtf8AndMatchWithoutLetterCase) {
  // Lower-case Cyrillic for the stored capitals.
  const std::unique_ptr<RegKey> key =
      registry_.OpenRead(kHkeyCurrentUser, "software\\\xD0\xB2\xD0\x95\xD0\x9A\xD0\xA1");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->ValueNames(), Names{"\xD0\x98\xD0\xBC\xD1\x8F"});
  EXPECT_EQ(Text(*key, "\xD0\xB8\xD0\x9C\xD0\xAF"), std::string("\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82", 9));
}

TEST_F(HiveRegistryTest, TheClassesRootShowsTheUsersClassesOverTheMachines) {
  const std::unique_ptr<RegKey> shared = registry_.OpenRead(kHkeyClassesRoot, "Shared");
  ASSERT_NE(shared, nullptr);
  EXPECT_EQ(Text(*shared, ""), std::string("user", 5));
  EXPECT_EQ(Text(*shared, "m"), "<none>") << "a user's key hides the machine's values";
  EXPECT_EQ(shared->SubkeyNames(), (Names{"MachineOnly", "UserOnly"}));
  EXPECT_NE(registry_.OpenRead(kHkeyClassesRoot, "txtfile"), nullptr);
  EXPECT_NE(registry_.OpenRead(kHkeyClassesRoot, "UserApp"), nullptr);
  EXPECT_NE(registry_.OpenRead(kHkeyClassesRoot, "Shared\\MachineOnly"), nullptr);
  EXPECT_TRUE(registry_.IsUserClassesKey("userapp"));
  EXPECT_TRUE(registry_.IsUserClassesKey("Shared"));
  EXPECT_FALSE(registry_.IsUserClassesKey("txtfile"));
  const std::unique_ptr<RegKey> root = registry_.OpenRead(kHkeyClassesRoot, "");
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->SubkeyNames(), (Names{"Shared", "txtfile", "UserApp"}));
}

TEST_F(HiveRegistryTest, NothingIsEverWritten) {
  EXPECT_EQ(registry_.OpenWrite(kHkeyCurrentUser, "Software\\Tarnel"), nullptr);
  EXPECT_FALSE(registry_.DeleteKey(kHkeyCurrentUser, "Software\\Tarnel"));
  for (const auto& [root, path] : {std::pair{kHkeyCurrentUser, "Software\\Tarnel"}, std::pair{kHkeyClassesRoot, "Shared"},
                                   std::pair{kHkeyLocalMachine, ""}}) {
    const std::unique_ptr<RegKey> key = registry_.OpenRead(root, path);
    ASSERT_NE(key, nullptr);
    EXPECT_FALSE(key->SetValue("v", {kRegSz, {0}}));
    EXPECT_FALSE(key->DeleteValue("v"));
  }
  EXPECT_EQ(Text(*registry_.OpenRead(kHkeyCurrentUser, "Software\\Tarnel"), "v"), std::string("1", 2));
}

}  // namespace
