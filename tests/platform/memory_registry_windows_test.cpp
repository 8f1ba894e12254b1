// The in-memory registry told to behave like 64-bit Windows: the classes
// root merged from the user's and the machine's classes, and the keys
// Windows shows under two names.
#include <gtest/gtest.h>

#include "platform/memory_registry.h"
#include "platform/registry_accessor.h"
#include "regtext/regedit4_reader.h"
#include "platform/root_keys.h"

namespace {

using Strings = std::vector<std::string>;

class MergedClassesRootTest : public testing::Test {
 protected:
  MergedClassesRootTest() {
    registry.MergeClassesRoot();
    ImportRegText(registry,
                  "REGEDIT4\n\n"
                  "[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\{M}]\n"
                  "[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\{B}]\n"
                  "@=\"machine\"\n"
                  "\"m\"=\"only the machine's\"\n"
                  "[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\{B}\\InprocServer32]\n"
                  "[HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{U}]\n"
                  "[HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{B}]\n"
                  "@=\"user\"\n"
                  "[HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{B}\\LocalServer32]\n");
  }

  Strings Subkeys(RootKey root, const std::string& path) {
    RegistryAccessor reg(registry, root);
    return reg.OpenKeyReadOnly(path) ? reg.GetKeyNames() : Strings{"<missing>"};
  }
  std::string Text(RootKey root, const std::string& path, const std::string& name) {
    RegistryAccessor reg(registry, root);
    if (!reg.OpenKeyReadOnly(path)) return "<missing key>";
    return reg.ValueExists(name) ? reg.ReadString(name) : "<missing value>";
  }

  MemoryRegistry registry;
};

TEST_F(MergedClassesRootTest, ItShowsTheKeysOfBothAndTheUsersKeyOverTheMachines) {
  EXPECT_EQ(Subkeys(kHkeyClassesRoot, "CLSID"), (Strings{"{B}", "{M}", "{U}"}));
  EXPECT_EQ(Subkeys(kHkeyClassesRoot, "CLSID\\{B}"), (Strings{"InprocServer32", "LocalServer32"}));
  EXPECT_EQ(Text(kHkeyClassesRoot, "CLSID\\{B}", ""), "user");
  EXPECT_EQ(Text(kHkeyClassesRoot, "CLSID\\{B}", "m"), "<missing value>")
      << "the values of a key the user has are the user's only";
  EXPECT_EQ(Text(kHkeyClassesRoot, "CLSID\\{M}", ""), "<missing value>");
  EXPECT_EQ(Subkeys(kHkeyClassesRoot, "CLSID\\{nowhere}"), Strings{"<missing>"});
}

TEST_F(MergedClassesRootTest, ItTellsWhichKeysAreTheUsers) {
  EXPECT_TRUE(registry.IsUserClassesKey("CLSID\\{U}"));
  EXPECT_TRUE(registry.IsUserClassesKey("clsid\\{b}"));
  EXPECT_FALSE(registry.IsUserClassesKey("CLSID\\{M}"));
  EXPECT_FALSE(registry.IsUserClassesKey("CLSID\\{B}\\InprocServer32"));
  EXPECT_FALSE(registry.IsUserClassesKey("\\CLSID\\{U}"));
  MemoryRegistry separate;
  ImportRegText(separate, "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{U}]\n");
  EXPECT_FALSE(separate.IsUserClassesKey("CLSID\\{U}")) << "a classes root of its own shows no user's key";
}

TEST_F(MergedClassesRootTest, WritesGoToTheUsersKeyWhenItExistsAndNewKeysToTheMachines) {
  {
    RegistryAccessor reg(registry, kHkeyClassesRoot);
    ASSERT_TRUE(reg.OpenKeyWrite("CLSID\\{U}"));
    EXPECT_TRUE(reg.WriteString("w", "x"));
    ASSERT_TRUE(reg.OpenKeyWrite("CLSID\\{U}\\InprocServer32"));
  }
  EXPECT_EQ(Text(kHkeyCurrentUser, "Software\\Classes\\CLSID\\{U}", "w"), "x");
  EXPECT_EQ(Subkeys(kHkeyLocalMachine, "Software\\Classes\\CLSID\\{U}"), Strings{"InprocServer32"})
      << "a key created under the classes root lands in the machine's classes";
}

TEST_F(MergedClassesRootTest, DeletingTakesTheUsersKeyFirstAndNeverTheRoot) {
  EXPECT_TRUE(registry.DeleteKey(kHkeyClassesRoot, "CLSID\\{B}"));
  EXPECT_EQ(Subkeys(kHkeyCurrentUser, "Software\\Classes\\CLSID"), Strings{"{U}"});
  EXPECT_EQ(Text(kHkeyClassesRoot, "CLSID\\{B}", ""), "machine");
  EXPECT_FALSE(registry.DeleteKey(kHkeyClassesRoot, ""));
  EXPECT_FALSE(registry.DeleteKey(kHkeyClassesRoot, "\\CLSID"));
  EXPECT_EQ(Subkeys(kHkeyLocalMachine, "Software\\Classes\\CLSID"), (Strings{"{B}", "{M}"}));
}

TEST_F(MergedClassesRootTest, AKeyBothClassesHoldIsAKeyOfItsOwnTheOthersAreTheKeysTheyShow) {
  const auto identity = [&](RootKey root, const std::string& path) { return registry.OpenRead(root, path)->Identity(); };
  EXPECT_EQ(identity(kHkeyClassesRoot, "CLSID\\{M}"), identity(kHkeyLocalMachine, "Software\\Classes\\CLSID\\{M}"));
  EXPECT_EQ(identity(kHkeyClassesRoot, "clsid\\{u}"), identity(kHkeyCurrentUser, "Software\\Classes\\CLSID\\{U}"));
  EXPECT_NE(identity(kHkeyClassesRoot, "CLSID\\{B}"), identity(kHkeyCurrentUser, "Software\\Classes\\CLSID\\{B}"));
  EXPECT_NE(identity(kHkeyClassesRoot, "CLSID\\{B}"), identity(kHkeyLocalMachine, "Software\\Classes\\CLSID\\{B}"));
  EXPECT_EQ(identity(kHkeyClassesRoot, "CLSID\\{B}"), identity(kHkeyClassesRoot, "clsid\\{b}"));
  EXPECT_EQ(registry.OpenRead(kHkeyClassesRoot, "clsid\\{b}\\inprocserver32")->StoredName(), "InprocServer32");
}

class WindowsAliasesTest : public testing::Test {
 protected:
  static constexpr const char* kSid = "S-1-5-21-7-7-7-1001";
  WindowsAliasesTest() { registry.AnswerAliasesAsWindows(kSid); }

  // Written through one name, read through the other.
  std::string ReadBack(RootKey write_root, const std::string& write_path, RootKey read_root,
                       const std::string& read_path) {
    registry.OpenWrite(write_root, write_path)->SetValue("v", {kRegSz, {'x', 0}});
    const std::unique_ptr<RegKey> key = registry.OpenRead(read_root, read_path);
    if (!key) return "<missing key>";
    if (key->Identity() != registry.OpenRead(write_root, write_path)->Identity()) return "<another key>";
    return key->QueryValue("v") ? "x" : "<missing value>";
  }
  Strings Subkeys(RootKey root, const std::string& path) {
    const std::unique_ptr<RegKey> key = registry.OpenRead(root, path);
    return key ? key->SubkeyNames() : Strings{"<missing>"};
  }

  MemoryRegistry registry;
};

TEST_F(WindowsAliasesTest, EachPairOfNamesReachesOneKey) {
  const std::string user = kSid;
  EXPECT_EQ(ReadBack(kHkeyCurrentUser, "Software\\App", kHkeyUsers, user + "\\SOFTWARE\\app"), "x");
  EXPECT_EQ(ReadBack(kHkeyUsers, user + "_Classes\\.txt", kHkeyCurrentUser, "Software\\Classes\\.TXT"), "x");
  EXPECT_EQ(ReadBack(kHkeyUsers, "S-1-5-18\\Environment", kHkeyUsers, ".DEFAULT\\Environment"), "x");
  EXPECT_EQ(ReadBack(kHkeyCurrentConfig, "Software\\Fonts", kHkeyLocalMachine,
                     "SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts"),
            "x");
  EXPECT_EQ(ReadBack(kHkeyLocalMachine, "System\\ControlSet001\\Services\\Svc", kHkeyLocalMachine,
                     "SYSTEM\\CurrentControlSet\\Services\\svc"),
            "x");
  EXPECT_EQ(ReadBack(kHkeyLocalMachine, "Software\\Wow6432Node\\Classes\\CLSID\\{W}", kHkeyLocalMachine,
                     "Software\\Classes\\Wow6432Node\\CLSID\\{W}"),
            "x");
  EXPECT_EQ(ReadBack(kHkeyCurrentUser, "Software\\Other", kHkeyUsers, ".DEFAULT\\Software\\Other"),
            "<missing key>");
}

TEST_F(WindowsAliasesTest, ParentsListEachLinkByItsOwnNameAndDeletingOneLeavesItsKey) {
  registry.OpenWrite(kHkeyLocalMachine, "SYSTEM\\ControlSet001\\Control");
  EXPECT_EQ(Subkeys(kHkeyLocalMachine, "SYSTEM"), (Strings{"ControlSet001", "CurrentControlSet"}));
  EXPECT_EQ(Subkeys(kHkeyUsers, ""), (Strings{".DEFAULT", "S-1-5-18", "S-1-5-21-7-7-7-1001", "S-1-5-21-7-7-7-1001_Classes"}));
  EXPECT_EQ(registry.OpenRead(kHkeyLocalMachine, "system\\currentcontrolset")->StoredName(), "CurrentControlSet");
  EXPECT_TRUE(registry.DeleteKey(kHkeyLocalMachine, "SYSTEM\\CurrentControlSet"));
  EXPECT_EQ(Subkeys(kHkeyLocalMachine, "SYSTEM\\ControlSet001"), (Strings{"Control", "Hardware Profiles"}));
}

TEST(MemoryRegistryViewsTest, TwoViewsOnlyWhenToldSo) {
  MemoryRegistry registry;
  EXPECT_FALSE(registry.HasTwoViews());
  registry.SetTwoViews(true);
  EXPECT_TRUE(registry.HasTwoViews());
}

}  // namespace
