// Names longer than the ANSI registry functions take, in a program whose
// code page is UTF-8: a key of 180 Cyrillic letters (360 bytes) and a
// value of 300 (600 bytes) are created, listed, read, written and deleted
// by their exact names; the system holds them as written.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/registry_win32.h"
#include "platform/root_keys.h"
#include "support/registry_sandbox_win32.h"

namespace {

using Strings = std::vector<std::string>;

const Utf8CodePage kUtf8;

std::string Cyrillic(int letters) {
  std::string name;
  for (int i = 0; i < letters; ++i) name += "Ж";
  return name;
}

std::wstring Wide(const std::string& utf8) {
  const std::u16string wide = *kUtf8.ToWide(utf8);
  return std::wstring(wide.begin(), wide.end());
}

TEST(LongNamesWin32Test, KeysAndValuesAreReachedByTheirExactNames) {
  RegistrySandbox sandbox;
  Win32Registry registry(kUtf8, Win32Registry::Views::kOwn);
  const std::string key = "Software\\" + Cyrillic(180);
  const std::string value = Cyrillic(300);
  {
    const std::unique_ptr<RegKey> created = registry.OpenWrite(kHkeyCurrentUser, key + "\\Под");
    ASSERT_NE(created, nullptr);
    EXPECT_TRUE(created->SetValue(value, {kRegSz, {0xD0, 0x96, 0}}));
  }
  // As the system holds them: 180 and 300 UTF-16 characters.
  HKEY opened = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, Wide(key + "\\Под").c_str(), 0, KEY_READ, &opened), ERROR_SUCCESS);
  wchar_t data[8] = L"";
  DWORD size = sizeof data;
  EXPECT_EQ(RegQueryValueExW(opened, Wide(value).c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size),
            ERROR_SUCCESS);
  RegCloseKey(opened);
  EXPECT_EQ(std::wstring(data), L"Ж");

  const std::unique_ptr<RegKey> software = registry.OpenRead(kHkeyCurrentUser, "Software");
  ASSERT_NE(software, nullptr);
  EXPECT_EQ(software->SubkeyNames(), Strings{Cyrillic(180)});
  EXPECT_EQ(software->UnreadableSubkeyNames(), Strings{});
  const std::unique_ptr<RegKey> below = registry.OpenWrite(kHkeyCurrentUser, key + "\\Под");
  ASSERT_NE(below, nullptr);
  EXPECT_EQ(below->ValueNames(), Strings{value});
  EXPECT_EQ(below->QueryValue(value), (RegValue{kRegSz, {0xD0, 0x96, 0}}));
  EXPECT_TRUE(below->DeleteValue(value));
  EXPECT_EQ(below->ValueNames(), Strings{});
  EXPECT_TRUE(registry.DeleteKey(kHkeyCurrentUser, key));
  EXPECT_EQ(registry.OpenRead(kHkeyCurrentUser, key), nullptr);
  EXPECT_NE(registry.OpenRead(kHkeyCurrentUser, "Software"), nullptr);
}

// Text the code page does not hold is not written with stand-ins.
TEST(LongNamesWin32Test, TextThatIsNotOfTheCodePageIsRefusedNotMangled) {
  RegistrySandbox sandbox;
  Win32Registry registry(kUtf8, Win32Registry::Views::kOwn);
  const std::unique_ptr<RegKey> key = registry.OpenWrite(kHkeyCurrentUser, "Software");
  ASSERT_NE(key, nullptr);
  EXPECT_FALSE(key->SetValue("cut", {kRegSz, {'a', 0xD0, 0}}));
  EXPECT_FALSE(key->SetValue(std::string("\xFF", 1), {kRegDword, {1, 0, 0, 0}}));
  EXPECT_EQ(registry.OpenWrite(kHkeyCurrentUser, "Software\\\xC3"), nullptr);
  EXPECT_EQ(key->ValueNames(), Strings{});
}

}  // namespace
