#include "platform/registry_views.h"

#include <gtest/gtest.h>

#include "platform/memory_registry.h"
#include "platform/root_keys.h"

namespace {

using Path = std::optional<std::string>;

TEST(RegistryViewsTest, TheMachinesSoftwareKeyIsKeptApartButForItsSharedKeys) {
  EXPECT_EQ(ThirtyTwoBitViewPath(kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Run"),
            Path("Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run"));
  EXPECT_EQ(ThirtyTwoBitViewPath(kHkeyLocalMachine, "SOFTWARE"), Path("SOFTWARE\\Wow6432Node"));
  EXPECT_EQ(ThirtyTwoBitViewPath(kHkeyLocalMachine, "Software\\Microsoft\\Windows\\*\\Uninstall\\*"),
            Path("Software\\Wow6432Node\\Microsoft\\Windows\\*\\Uninstall\\*"));
  EXPECT_EQ(ThirtyTwoBitViewPath(kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\*"),
            std::nullopt);
  EXPECT_EQ(ThirtyTwoBitViewPath(kHkeyLocalMachine, "software\\clients\\Mail"), std::nullopt) << "letter case";
  EXPECT_EQ(ThirtyTwoBitViewPath(kHkeyLocalMachine, "Software\\ClientsOfOurs"),
            Path("Software\\Wow6432Node\\ClientsOfOurs"))
      << "shared keys match whole names";
  EXPECT_EQ(ThirtyTwoBitViewPath(kHkeyLocalMachine, "System\\CurrentControlSet"), std::nullopt);
}

TEST(RegistryViewsTest, UnderTheClassesOnlyTheClassTablesAreKeptApart) {
  EXPECT_EQ(ThirtyTwoBitViewPath(kHkeyLocalMachine, "Software\\Classes\\CLSID\\{A}\\InprocServer32"),
            Path("Software\\Classes\\Wow6432Node\\CLSID\\{A}\\InprocServer32"));
  EXPECT_EQ(ThirtyTwoBitViewPath(kHkeyClassesRoot, "Interface\\*\\ProxyStubClsid32"),
            Path("Wow6432Node\\Interface\\*\\ProxyStubClsid32"));
  EXPECT_EQ(ThirtyTwoBitViewPath(kHkeyClassesRoot, "Media Type"), Path("Wow6432Node\\Media Type"));
  EXPECT_EQ(ThirtyTwoBitViewPath(kHkeyCurrentUser, "Software\\Classes\\mediafoundation\\x"),
            Path("Software\\Classes\\Wow6432Node\\mediafoundation\\x"));
  EXPECT_EQ(ThirtyTwoBitViewPath(kHkeyUsers, "S-1-5-21-1\\Software\\Classes\\CLSID\\{A}"),
            Path("S-1-5-21-1\\Software\\Classes\\Wow6432Node\\CLSID\\{A}"));
  EXPECT_EQ(ThirtyTwoBitViewPath(kHkeyUsers, "S-1-5-21-1_Classes\\DirectShow"),
            Path("S-1-5-21-1_Classes\\Wow6432Node\\DirectShow"));
  for (const char* shared : {"*\\CLSID", "TypeLib\\*\\*\\*\\win32", ".txt", "Word.Document\\CLSID", "AppID\\x"})
    EXPECT_EQ(ThirtyTwoBitViewPath(kHkeyClassesRoot, shared), std::nullopt) << shared;
  EXPECT_EQ(ThirtyTwoBitViewPath(kHkeyLocalMachine, "Software\\Classes\\*\\shell\\open\\command"), std::nullopt);
}

TEST(RegistryViewsTest, TheUsersOwnKeysAndPathsOfTheOtherViewHaveNoSecondCopy) {
  EXPECT_EQ(ThirtyTwoBitViewPath(kHkeyCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Run"),
            std::nullopt);
  EXPECT_EQ(ThirtyTwoBitViewPath(kHkeyUsers, "S-1-5-21-1\\Software\\Vendor"), std::nullopt);
  EXPECT_EQ(ThirtyTwoBitViewPath(kHkeyClassesRoot, "Wow6432Node\\CLSID\\*\\InprocServer32"), std::nullopt);
  EXPECT_EQ(ThirtyTwoBitViewPath(kHkeyLocalMachine, "Software\\WOW6432NODE\\Vendor"), std::nullopt);
  EXPECT_EQ(ThirtyTwoBitViewPath(kHkeyCurrentConfig, "Software\\Vendor"), std::nullopt);
  EXPECT_EQ(ThirtyTwoBitViewPath(0, "Software\\Vendor"), std::nullopt);
}

TEST(RegistryViewsTest, AKeyIsReadByThe32BitProgramsOfItsViewOrByEitherWhenShared) {
  MemoryRegistry registry;
  registry.SetTwoViews(true);
  const std::tuple<RootKey, const char*, KeyView> cases[] = {
      {kHkeyClassesRoot, "Wow6432Node\\CLSID\\{A}\\InprocServer32", KeyView::kThirtyTwoBit},
      {kHkeyLocalMachine, "Software\\wow6432node\\Vendor\\Run", KeyView::kThirtyTwoBit},
      {kHkeyClassesRoot, "CLSID\\{A}\\InprocServer32", KeyView::kNative},
      {kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", KeyView::kNative},
      {kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\a.exe", KeyView::kShared},
      {kHkeyClassesRoot, "txtfile\\shell\\open\\command", KeyView::kShared},
      {kHkeyCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", KeyView::kShared},
  };
  for (const auto& [root, path, view] : cases) EXPECT_EQ(ViewOfKey(registry, root, path), view) << path;
  registry.SetTwoViews(false);
  EXPECT_EQ(ViewOfKey(registry, kHkeyClassesRoot, "Wow6432Node\\CLSID\\{A}"), KeyView::kNative) << "one view";
}

}  // namespace
