#include "mail/mymapi.h"

#include <gtest/gtest.h>

#include "platform/memory_registry.h"
#include "platform/root_keys.h"

namespace {

class FakeMailSystem : public MailSystem {
 public:
  Version WindowsVersion() override { return version; }
  int ProfileMailMapi() override {
    ++profile_reads;
    return profile_mapi;
  }
  Version version{4, 0};
  int profile_mapi = 0;
  int profile_reads = 0;
};

class MapiPresenceTest : public ::testing::Test {
 protected:
  void SetMapi(const RegValue& value) {
    ASSERT_TRUE(registry.OpenWrite(kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Windows Messaging Subsystem")
                    ->SetValue("MAPI", value));
  }
  MemoryRegistry registry;
  FakeMailSystem system;
};

TEST_F(MapiPresenceTest, AboveThreeFiftyOneTheRegistryValueMustReadOne) {
  EXPECT_FALSE(SimpleMapiDeclared(registry, system));
  SetMapi({kRegSz, {'1', 0}});
  EXPECT_TRUE(SimpleMapiDeclared(registry, system));
  system.version = {3, 52};
  EXPECT_TRUE(SimpleMapiDeclared(registry, system));
  SetMapi({kRegSz, {'1', '0', 0}});
  EXPECT_FALSE(SimpleMapiDeclared(registry, system));
  SetMapi({kRegDword, {1, 0, 0, 0}});
  EXPECT_FALSE(SimpleMapiDeclared(registry, system));
  EXPECT_EQ(system.profile_reads, 0);
}

TEST_F(MapiPresenceTest, UpToThreeFiftyOneTheProfileEntryDecides) {
  SetMapi({kRegSz, {'1', 0}});
  system.version = {3, 51};
  EXPECT_FALSE(SimpleMapiDeclared(registry, system));
  system.profile_mapi = 1;
  EXPECT_TRUE(SimpleMapiDeclared(registry, system));
  system.version = {3, 10};
  EXPECT_TRUE(SimpleMapiDeclared(registry, system));
}

TEST(MailDisplayNameTest, NameAfterTheLastFolderSeparator) {
  EXPECT_EQ(MailDisplayName("C:\\Temp\\errors.reg"), "errors.reg");
  EXPECT_EQ(MailDisplayName("C:errors.reg"), "errors.reg");
  EXPECT_EQ(MailDisplayName("errors.reg"), "errors.reg");
}

class RecordingMapi : public MapiLibrary {
 public:
  std::uint32_t SendDocuments(std::uintptr_t ui_param, const std::string& delimiter,
                              const std::string& paths, const std::string& names) override {
    calls.push_back({ui_param, delimiter, paths, names});
    return answer;
  }
  bool Available() override { return available; }
  std::uint32_t answer = 26;
  bool available = true;
  struct Call {
    std::uintptr_t ui_param;
    std::string delimiter, paths, names;
  };
  std::vector<Call> calls;
};

TEST(TMyMapiTest, OffersTheFileWithSemicolonDelimiterAndDisplayName) {
  RecordingMapi mapi;
  TMyMapi sender(0x1234, mapi);
  sender.SendFile("C:\\Temp\\errors.reg");
  ASSERT_EQ(mapi.calls.size(), 1u);
  EXPECT_EQ(mapi.calls[0].ui_param, 0x1234u);
  EXPECT_EQ(mapi.calls[0].delimiter, ";");
  EXPECT_EQ(mapi.calls[0].paths, "C:\\Temp\\errors.reg");
  EXPECT_EQ(mapi.calls[0].names, "errors.reg");
}

TEST(TMyMapiTest, OnlyTheUsersCancelOrSendingCountAsHandedOver) {
  RecordingMapi mapi;
  TMyMapi sender(0, mapi);
  EXPECT_EQ(sender.SendFile("a.reg"), MailResult::kNoMailProgram) << "26: not supported, as Wine answers";
  mapi.answer = kMapiUserAbort;
  EXPECT_EQ(sender.SendFile("a.reg"), MailResult::kHandedOver);
  mapi.answer = 0;
  EXPECT_EQ(sender.SendFile("a.reg"), MailResult::kHandedOver);
  mapi.available = false;
  mapi.answer = kMapiUserAbort;
  EXPECT_EQ(sender.SendFile("a.reg"), MailResult::kNoMailProgram) << "no library: its 1 is no cancel";
}

}  // namespace
