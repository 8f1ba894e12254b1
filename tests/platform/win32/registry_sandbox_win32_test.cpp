#include "support/registry_sandbox_win32.h"

#include <gtest/gtest.h>

#include "platform/win32/registry_win32.h"
#include "platform/root_keys.h"

namespace {

TEST(RegistrySandbox, RedirectsTheRootsAndLeavesNoTrace) {
  Win32Registry registry;
  std::string key_path;
  {
    RegistrySandbox sandbox;
    key_path = sandbox.KeyPath();
    ASSERT_NE(registry.OpenWrite(kHkeyLocalMachine, "TarnelSandboxProbe"), nullptr);
    ASSERT_NE(registry.OpenWrite(kHkeyCurrentUser, "TarnelSandboxProbe"), nullptr);
    EXPECT_EQ(registry.OpenRead(kHkeyLocalMachine, "Software"), nullptr);  // starts empty
    EXPECT_THROW(RegistrySandbox second, std::logic_error);
  }
  EXPECT_EQ(registry.OpenRead(kHkeyLocalMachine, "TarnelSandboxProbe"), nullptr);
  EXPECT_EQ(registry.OpenRead(kHkeyCurrentUser, "TarnelSandboxProbe"), nullptr);
  EXPECT_NE(registry.OpenRead(kHkeyLocalMachine, "Software"), nullptr);
  EXPECT_EQ(registry.OpenRead(kHkeyCurrentUser, key_path), nullptr);
}

TEST(RegistrySandbox, KeyOnlyModeGivesAKeyInTheRealCurrentUser) {
  Win32Registry registry;
  std::string key_path;
  {
    RegistrySandbox sandbox(RegistrySandbox::Mode::kKeyOnly);
    key_path = sandbox.KeyPath();
    EXPECT_EQ(sandbox.FullPath(), "HKEY_CURRENT_USER\\" + key_path);
    EXPECT_NE(registry.OpenRead(kHkeyCurrentUser, key_path), nullptr);
    EXPECT_NE(registry.OpenRead(kHkeyLocalMachine, "Software"), nullptr);  // not redirected
    ASSERT_NE(registry.OpenWrite(kHkeyCurrentUser, key_path + "\\Data\\Deeper"), nullptr);
  }
  EXPECT_EQ(registry.OpenRead(kHkeyCurrentUser, key_path), nullptr);
}

}  // namespace
