#include "platform/key_path.h"

#include <gtest/gtest.h>

#include "platform/root_keys.h"

namespace {

using Strings = std::vector<std::string>;

TEST(KeyPathTest, TheFullNameJoinsTheRootsNameAndThePath) {
  EXPECT_EQ(KeyPath(kHkeyCurrentUser, "Software\\Run").FullName(), "HKEY_CURRENT_USER\\Software\\Run");
  EXPECT_EQ(KeyPath(kHkeyUsers, "").FullName(), "HKEY_USERS") << "the root key itself";
  EXPECT_EQ(KeyPath(0x1234u, "Software").FullName(), "") << "no root key, no name";
  EXPECT_EQ(KeyPath().FullName(), "");
}

TEST(KeyPathTest, ComponentsSplitAtEveryBackslash) {
  EXPECT_EQ(KeyPath(kHkeyClassesRoot, "CLSID\\{0-1}\\InprocServer32").Components(),
            (Strings{"CLSID", "{0-1}", "InprocServer32"}));
  EXPECT_EQ(KeyPath(kHkeyClassesRoot, "A\\\\B\\").Components(), (Strings{"A", "", "B", ""}))
      << "an empty name is a name";
  EXPECT_TRUE(KeyPath(kHkeyClassesRoot, "").Components().empty());
}

TEST(KeyPathTest, ChildAndUpWalkBelowTheRootKeyOnly) {
  const KeyPath run(kHkeyLocalMachine, "Software\\Run");
  EXPECT_EQ(run.Child("Tool"), KeyPath(kHkeyLocalMachine, "Software\\Run\\Tool"));
  EXPECT_EQ(KeyPath(kHkeyLocalMachine, "").Child("Software"), KeyPath(kHkeyLocalMachine, "Software"));
  EXPECT_EQ(run.Up(0), run);
  EXPECT_EQ(run.Up(1), KeyPath(kHkeyLocalMachine, "Software"));
  EXPECT_EQ(run.Up(2), KeyPath(kHkeyLocalMachine, ""));
  EXPECT_EQ(run.Up(9), KeyPath(kHkeyLocalMachine, "")) << "never above the root key";
  EXPECT_EQ(run.Child("Tool").Up(1), run);
}

TEST(JoinKeyPathTest, EmptyPartsAddNoBackslash) {
  EXPECT_EQ(JoinKeyPath("HKEY_USERS", ""), "HKEY_USERS");
  EXPECT_EQ(JoinKeyPath("", "Sub"), "Sub");
  EXPECT_EQ(JoinKeyPath("A\\B", "C"), "A\\B\\C");
}

}  // namespace
