#include "scan/problem_naming.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/memory_files.h"
#include "platform/memory_registry.h"
#include "platform/queued_ui_thread.h"
#include "platform/root_keys.h"
#include "regtext/regedit4_reader.h"
#include "support/scan_harness.h"

namespace {

// The registry with a watch on the keys asked for their stored names.
// Told to, it cannot tell those names or identities, as a registry that
// reached a key through a link of another name cannot.
class WatchedNames : public Registry {
 public:
  WatchedNames(Registry& inner, bool tells) : inner_(inner), tells_(tells) {}
  std::unique_ptr<RegKey> OpenRead(RootKey root, const std::string& path) override {
    std::unique_ptr<RegKey> key = inner_.OpenRead(root, path);
    return key ? std::make_unique<Watched>(std::move(key), *this) : nullptr;
  }
  std::unique_ptr<RegKey> OpenWrite(RootKey root, const std::string& path) override {
    return inner_.OpenWrite(root, path);
  }
  bool DeleteKey(RootKey root, const std::string& path) override { return inner_.DeleteKey(root, path); }
  bool DeleteLeafKey(RootKey root, const std::string& path) override { return inner_.DeleteLeafKey(root, path); }

  std::vector<std::string> asked;  // the stored names of the keys asked, in order

 private:
  class Watched : public RegKey {
   public:
    Watched(std::unique_ptr<RegKey> key, WatchedNames& owner) : key_(std::move(key)), owner_(owner) {}
    std::vector<std::string> SubkeyNames() override { return key_->SubkeyNames(); }
    std::vector<std::string> ValueNames() override { return key_->ValueNames(); }
    std::optional<RegValue> QueryValue(const std::string& name) override { return key_->QueryValue(name); }
    std::optional<std::string> StoredName() override {
      const std::optional<std::string> name = key_->StoredName();
      owner_.asked.push_back(name.value_or("<root>"));
      return owner_.tells_ ? name : std::nullopt;
    }
    std::string Identity() override { return owner_.tells_ ? key_->Identity() : std::string(); }
    bool SetValue(const std::string& name, const RegValue& value) override { return key_->SetValue(name, value); }
    bool DeleteValue(const std::string& name) override { return key_->DeleteValue(name); }

   private:
    std::unique_ptr<RegKey> key_;
    WatchedNames& owner_;
  };
  Registry& inner_;
  bool tells_;
};

class ProblemNamingTest : public testing::Test {
 protected:
  ProblemNamingTest() {
    ImportRegText(registry,
                  "REGEDIT4\n\n"
                  "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{A}\\InProcServer32]\n"
                  "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{B}\\InprocServer32]\n"
                  "[HKEY_CURRENT_USER\\Software\\Apps]\n");
  }
  MemoryRegistry registry;
};

TEST_F(ProblemNamingTest, EachNameIsSpelledAsStoredAndEverySpellingOfAKeyGetsTheFirstName) {
  ProblemNaming naming(registry);
  EXPECT_EQ(naming.NameOf("HKEY_LOCAL_MACHINE\\software\\CLASSES\\clsid\\{a}\\inprocserver32"),
            "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{A}\\InProcServer32");
  EXPECT_EQ(naming.NameOf("HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\{B}\\INPROCSERVER32"),
            "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{B}\\InprocServer32");
  EXPECT_EQ(naming.NameOf("HKEY_CLASSES_ROOT\\CLSID\\{A}"), "HKEY_CLASSES_ROOT\\CLSID\\{A}")
      << "a classes root of its own is another key";
}

TEST_F(ProblemNamingTest, TheClassesRootNamesTheKeysItShowsUnlessTheUsersClassesHoldThem) {
  registry.MergeClassesRoot();
  ImportRegText(registry, "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{U}\\InprocServer32]\n");
  ProblemNaming naming(registry);
  EXPECT_EQ(naming.NameOf("HKEY_CLASSES_ROOT\\CLSID\\{A}\\InprocServer32"),
            "HKEY_CLASSES_ROOT\\CLSID\\{A}\\InProcServer32");
  EXPECT_EQ(naming.NameOf("HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\{A}"), "HKEY_CLASSES_ROOT\\CLSID\\{A}");
  EXPECT_EQ(naming.NameOf("HKEY_CLASSES_ROOT\\clsid\\{u}\\InprocServer32"),
            "HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{U}\\InprocServer32")
      << "written back under the classes root, it would land in the machine's classes";
}

TEST_F(ProblemNamingTest, AKeyWithoutAStoredNameIsSpelledAsItsParentListsIt) {
  WatchedNames nameless(registry, false);
  ProblemNaming naming(nameless);
  EXPECT_EQ(naming.NameOf("HKEY_LOCAL_MACHINE\\Software\\classes\\CLSID\\{A}"),
            "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{A}");
  EXPECT_EQ(naming.NameOf("HKEY_LOCAL_MACHINE\\SOFTWARE\\CLASSES\\clsid\\{a}"),
            "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{A}")
      << "known by its path where the registry cannot tell its identity";
  EXPECT_EQ(naming.NameOf("HKEY_CURRENT_USER\\software\\Gone\\Key"), "HKEY_CURRENT_USER\\Software\\Gone\\Key")
      << "a key that is not there keeps the spelling of its path";
}

TEST_F(ProblemNamingTest, APathThatNamesNoKeyIsItsOwnName) {
  ProblemNaming naming(registry);
  for (const char* path : {"HKEY_CURRENT_USER\\", "HKEY_CURRENT_USER\\software\\\\Apps", "HKEY_CURRENT_USER\\apps\\",
                           "HKLM\\Software", "HKEY_CURRENT_USER"})
    EXPECT_EQ(naming.NameOf(path), path);
}

// A scan names a key a wildcard reached by the name the listing gave, and
// asks for the stored name of a key its rule spells.
TEST(ProblemNamingScanTest, ANameAWildcardListedIsTakenAsItIsARuleSpelledOneIsAskedFor) {
  MemoryRegistry registry;
  ImportRegText(registry,
                "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Apps\\One]\n@=\"C:\\\\Gone\\\\one.exe\"\n"
                "[HKEY_CURRENT_USER\\Software\\Servers\\X\\InProcServer32]\n@=\"C:\\\\Gone\\\\x.dll\"\n");
  WatchedNames watched(registry, true);
  MemoryFileSystem files;
  QueuedUiThread ui;
  ScanHarness harness(watched, files, ui);
  harness.SetKnowledgeBase("[PATHS1]\nHKEY_CURRENT_USER\\Software\\Apps\\*=Apps,1,FILEDEF_\n"
                           "HKEY_CURRENT_USER\\Software\\Servers\\*\\InprocServer32=Servers,2,FILEDEF_\n");
  harness.Scan();
  EXPECT_EQ(harness.view.Problems(),
            (std::vector<std::string>{"HKEY_CURRENT_USER\\Software\\Apps\\One: File not found [(Default)] 1",
                                      "HKEY_CURRENT_USER\\Software\\Servers\\X\\InProcServer32: File not found "
                                      "[(Default)] 2"}));
  EXPECT_EQ(std::count(watched.asked.begin(), watched.asked.end(), "One"), 0);
  EXPECT_EQ(std::count(watched.asked.begin(), watched.asked.end(), "InProcServer32"), 1);
}

}  // namespace
