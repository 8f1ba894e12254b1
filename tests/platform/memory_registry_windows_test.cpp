// The in-memory registry told to behave like 64-bit Windows: the classes
// root merged from the user's and the machine's classes.
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

TEST(MemoryRegistryViewsTest, TwoViewsOnlyWhenToldSo) {
  MemoryRegistry registry;
  EXPECT_FALSE(registry.HasTwoViews());
  registry.SetTwoViews(true);
  EXPECT_TRUE(registry.HasTwoViews());
}

}  // namespace
