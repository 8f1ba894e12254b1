#include "scan/problem_naming.h"

#include <gtest/gtest.h>

#include "platform/memory_registry.h"
#include "platform/root_keys.h"
#include "regtext/regedit4_reader.h"

namespace {

// A registry that cannot tell a key's stored name or identity, as one that
// reached a key through a link of another name cannot.
class NamelessKeys : public Registry {
 public:
  explicit NamelessKeys(Registry& inner) : inner_(inner) {}
  std::unique_ptr<RegKey> OpenRead(RootKey root, const std::string& path) override {
    std::unique_ptr<RegKey> key = inner_.OpenRead(root, path);
    return key ? std::make_unique<Nameless>(std::move(key)) : nullptr;
  }
  std::unique_ptr<RegKey> OpenWrite(RootKey root, const std::string& path) override {
    return inner_.OpenWrite(root, path);
  }
  bool DeleteKey(RootKey root, const std::string& path) override { return inner_.DeleteKey(root, path); }
  bool DeleteLeafKey(RootKey root, const std::string& path) override { return inner_.DeleteLeafKey(root, path); }

 private:
  class Nameless : public RegKey {
   public:
    explicit Nameless(std::unique_ptr<RegKey> key) : key_(std::move(key)) {}
    std::vector<std::string> SubkeyNames() override { return key_->SubkeyNames(); }
    std::vector<std::string> ValueNames() override { return key_->ValueNames(); }
    std::optional<RegValue> QueryValue(const std::string& name) override { return key_->QueryValue(name); }
    bool SetValue(const std::string& name, const RegValue& value) override { return key_->SetValue(name, value); }
    bool DeleteValue(const std::string& name) override { return key_->DeleteValue(name); }

   private:
    std::unique_ptr<RegKey> key_;
  };
  Registry& inner_;
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
  NamelessKeys nameless(registry);
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

}  // namespace
