// The hand-off to the system's Simple MAPI. Wine declares Simple MAPI
// present and answers MAPISendDocuments with 26 (not supported) at once.
#include "mail/mymapi_win32.h"

#include <gtest/gtest.h>

#include "platform/fixed_clock.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/registry_win32.h"
#include "regtext/Buck.h"

namespace {

constexpr std::uint32_t kMapiNotSupported = 26;

// Watches the calls that reach the real library.
class WatchedMapi : public MapiLibrary {
 public:
  WatchedMapi(MapiLibrary& real, FileSystem& files) : real_(real), files_(files) {}
  std::uint32_t SendDocuments(std::uintptr_t ui_param, const std::string& delimiter,
                              const std::string& paths, const std::string& names) override {
    file_existed = files_.FileExists(paths);
    sent_names = names;
    result = real_.SendDocuments(ui_param, delimiter, paths, names);
    return result;
  }
  bool file_existed = false;
  std::string sent_names;
  std::uint32_t result = 0;

 private:
  MapiLibrary& real_;
  FileSystem& files_;
};

class MapiWin32Test : public ::testing::Test {
 protected:
  Win32Registry registry;
  Win32MailSystem system;
  Win32MapiLibrary mapi{registry, system};
  Win32FileSystem files;
};

TEST_F(MapiWin32Test, SystemDeclaresSimpleMapiAndTheLibraryAnswers) {
  EXPECT_TRUE(SimpleMapiDeclared(registry, system));
  EXPECT_EQ(mapi.SendDocuments(0, ";", "C:\\nowhere\\x.reg", "x.reg"), kMapiNotSupported);
  EXPECT_EQ(mapi.SendDocuments(0, ";", "C:\\nowhere\\x.reg", "x.reg"), kMapiNotSupported);
}

TEST_F(MapiWin32Test, SendResultsOffersErrorsRegThenDeletesIt) {
  WatchedMapi watched(mapi, files);
  TMyMapi sender(0, watched);
  ResultTree tree;
  FixedClock clock;
  TBuck buck(tree, registry, files, clock, sender);
  const std::string path = files.TempFolder() + "errors.reg";
  buck.SendResults();
  EXPECT_TRUE(watched.file_existed);
  EXPECT_EQ(watched.sent_names, "errors.reg");
  EXPECT_EQ(watched.result, kMapiNotSupported);
  EXPECT_FALSE(files.FileExists(path));
}

}  // namespace
