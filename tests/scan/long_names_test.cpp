// Key and value names longer than the ANSI registry functions take (over
// 255 bytes in the program's code page: 180 Cyrillic letters are 360 bytes
// of UTF-8). Where they can be read they are scanned like any other; where
// the registry cannot reach them (the in-memory registry limited as a
// program with the ANSI functions alone would be), the scan names them with
// its results instead of passing over them without a word.
#include <gtest/gtest.h>

#include "platform/fixed_clock.h"
#include "platform/root_keys.h"
#include "regtext/Buck.h"
#include "scan/scan_fixture.h"
#include "support/no_mail.h"

namespace {

using Strings = std::vector<std::string>;

std::string Cyrillic(int letters) {
  std::string name;
  for (int i = 0; i < letters; ++i) name += "Д";
  return name;
}

class LongNamesTest : public ScanFixture {
 protected:
  void SetUp() override {
    SetRegistry("[HKEY_CURRENT_USER\\Apps\\" + long_key_ + "]\n@=\"C:\\\\Gone\\\\a.exe\"\n"
                "[HKEY_CURRENT_USER\\Apps\\short.exe]\n@=\"C:\\\\Gone\\\\b.exe\"\n"
                "[HKEY_CURRENT_USER\\Run]\n\"" + long_value_ + "\"=\"C:\\\\Gone\\\\c.exe\"\n"
                "\"short\"=\"C:\\\\Gone\\\\d.exe\"\n");
  }
  Strings Scan() {
    return ScanWith("HKEY_CURRENT_USER\\Apps\\*=Application paths,1,FILEDEF_\n"
                    "HKEY_CURRENT_USER\\Run=Startup,0,LD_\n");
  }

  const std::string long_key_ = Cyrillic(180) + ".exe";
  const std::string long_value_ = Cyrillic(300);
};

TEST_F(LongNamesTest, WithinTheRegistrysReachTheyAreScannedLikeAnyOther) {
  EXPECT_EQ(Scan(), (Strings{"HKEY_CURRENT_USER\\Apps\\short.exe: File not found [(Default)] 1",
                             "HKEY_CURRENT_USER\\Apps\\" + long_key_ + ": File not found [(Default)] 1",
                             "HKEY_CURRENT_USER\\Run: File not found [short|" + long_value_ + "] 0"}));
  EXPECT_EQ(harness.view.tree.Unreadable(), Strings{});
}

TEST_F(LongNamesTest, OutOfItsReachTheyAreNamedWithTheResultsNotPassedOver) {
  registry.LimitNames(255);
  EXPECT_EQ(Scan(), (Strings{"HKEY_CURRENT_USER\\Apps\\short.exe: File not found [(Default)] 1",
                             "HKEY_CURRENT_USER\\Run: File not found [short] 0"}));
  const Strings unreadable = {"HKEY_CURRENT_USER\\Apps\\" + long_key_, "HKEY_CURRENT_USER\\Run: \"" + long_value_ + "\""};
  EXPECT_EQ(harness.view.tree.Unreadable(), unreadable);

  FixedClock clock{{2026, 12, 8, 6, 0, 0}};
  NoMail mail;
  TBuck journal(harness.view.tree, registry, files, clock, mail);
  journal.SaveResults("results.reg");
  const std::string results = files.ReadFile("results.reg").value_or("<missing>");
  for (const std::string& name : unreadable) EXPECT_NE(results.find("\r\n; " + name + "\r\n"), std::string::npos) << name;

  // Each scan names what it met, once.
  Scan();
  EXPECT_EQ(harness.view.tree.Unreadable(), unreadable);
  registry.LimitNames(std::string::npos);
  Scan();
  EXPECT_EQ(harness.view.tree.Unreadable(), Strings{});
}

// The limited registry behaves as the ANSI functions would: such a name is
// listed apart and reaches nothing.
TEST_F(LongNamesTest, TheLimitedRegistryReachesNoNameOverTheLimit) {
  registry.LimitNames(255);
  const std::unique_ptr<RegKey> apps = registry.OpenRead(kHkeyCurrentUser, "Apps");
  ASSERT_NE(apps, nullptr);
  EXPECT_EQ(apps->SubkeyNames(), Strings{"short.exe"});
  EXPECT_EQ(apps->UnreadableSubkeyNames(), Strings{long_key_});
  EXPECT_EQ(registry.OpenRead(kHkeyCurrentUser, "Apps\\" + long_key_), nullptr);
  EXPECT_EQ(registry.OpenWrite(kHkeyCurrentUser, "Apps\\" + long_key_), nullptr);
  EXPECT_FALSE(registry.DeleteKey(kHkeyCurrentUser, "Apps\\" + long_key_));
  const std::unique_ptr<RegKey> run = registry.OpenWrite(kHkeyCurrentUser, "Run");
  ASSERT_NE(run, nullptr);
  EXPECT_EQ(run->ValueNames(), Strings{"short"});
  EXPECT_EQ(run->UnreadableValueNames(), Strings{long_value_});
  EXPECT_EQ(run->QueryValue(long_value_), std::nullopt);
  EXPECT_FALSE(run->SetValue(long_value_, {kRegSz, {0}}));
  EXPECT_FALSE(run->DeleteValue(long_value_));
  registry.LimitNames(std::string::npos);
  EXPECT_TRUE(registry.DeleteKey(kHkeyCurrentUser, "Apps\\" + long_key_));
}

}  // namespace
