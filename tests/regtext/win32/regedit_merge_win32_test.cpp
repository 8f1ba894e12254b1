// The journal's promise, held against the system registry editor: what it
// backs up, merged back with "regedit /s", is what was there, byte for byte.
#include <windows.h>
#undef DeleteFile
#undef SearchPath

#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "platform/fixed_clock.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/registry_win32.h"
#include "regtext/Buck.h"
#include "regtext/file_seal.h"
#include "regtext/reg_file_encoding.h"
#include "platform/root_keys.h"
#include "platform/memory_files.h"
#include "support/hostile_values.h"
#include "support/regedit_win32.h"
#include "support/registry_sandbox_win32.h"

#include "support/no_mail.h"

namespace {

std::string TempFile(const std::string& name) {
  char folder[MAX_PATH + 1];
  const DWORD length = GetTempPathA(sizeof(folder), folder);
  return std::string(folder, length) + name;
}

class RegeditMergeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& [name, value] : HostileValues()) Set(base, name, value);
    for (const std::string& name : HostileKeyNames())
      Set(base + "\\" + name, "", {kRegDword, {1, 0, 0, 0}});
    Set(base + "\\Deep\\Deeper", "v", {kRegSz, {'v', 0}});
    buck.BeginBackupFile();
  }
  void TearDown() override { DeleteFileA(file.c_str()); }

  void Set(const std::string& path, const std::string& name, const RegValue& value) {
    const std::unique_ptr<RegKey> key = registry.OpenWrite(kHkeyCurrentUser, path);
    ASSERT_TRUE(key && key->SetValue(name, value)) << path << " " << name;
  }
  // The file exactly as the journal writes it, opening and end line included.
  void WriteJournalAndMerge() { WriteJournalAndMerge(buck); }
  void WriteJournalAndMerge(TBuck& journal) {
    journal.Flush();
    const std::string written = files.ReadFile(journal.FileName()).value();
    ASSERT_EQ(CheckFileSeal(*RegFileLines(written)).state, FileSealState::kIntact);
    std::ofstream(file, std::ios::binary) << written;
    MergeWithRegedit(file);
  }
  void ExpectHostileValuesAt(const std::string& path) {
    const std::unique_ptr<RegKey> key = registry.OpenRead(kHkeyCurrentUser, path);
    ASSERT_TRUE(key);
    for (const auto& [name, value] : HostileValues()) {
      const std::optional<RegValue> read = key->QueryValue(name);
      ASSERT_TRUE(read) << "missing: " << name;
      EXPECT_EQ(read->type, value.type) << name;
      EXPECT_EQ(read->data, value.data) << name;
    }
    EXPECT_EQ(key->ValueNames().size(), HostileValues().size());
  }

  RegistrySandbox sandbox{RegistrySandbox::Mode::kKeyOnly};
  const std::string base = sandbox.KeyPath() + "\\Hostile";
  Win32Registry registry;
  ResultTree tree;
  MemoryFileSystem files;
  FixedClock clock{{2026, 12, 6, 21, 5, 9}};
  NoMail mail;
  TBuck buck{tree, registry, files, clock, mail};
  const std::string file = TempFile("tarnel-merge-" + std::to_string(GetCurrentProcessId()) + ".reg");
};

TEST_F(RegeditMergeTest, DeletedKeyTreeComesBackExactly) {
  ASSERT_TRUE(buck.BackupKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", base));
  ASSERT_TRUE(registry.DeleteKey(kHkeyCurrentUser, base));
  WriteJournalAndMerge();

  ExpectHostileValuesAt(base);
  for (const std::string& name : HostileKeyNames()) {
    const std::unique_ptr<RegKey> sub = registry.OpenRead(kHkeyCurrentUser, base + "\\" + name);
    ASSERT_TRUE(sub) << "missing key: " << name;
    EXPECT_EQ(sub->QueryValue(""), (RegValue{kRegDword, {1, 0, 0, 0}})) << name;
  }
  const std::unique_ptr<RegKey> deeper = registry.OpenRead(kHkeyCurrentUser, base + "\\Deep\\Deeper");
  ASSERT_TRUE(deeper);
  EXPECT_EQ(deeper->QueryValue("v"), (RegValue{kRegSz, {'v', 0}}));
}

TEST_F(RegeditMergeTest, DeletedValuesComeBackExactly) {
  ResultNode* node = InsertProblemPath(tree, *tree.Top(), "HKEY_CURRENT_USER\\" + base,
                                       std::make_unique<TErrorClass>("File not found", 0));
  std::vector<std::string> names;
  for (const auto& [name, value] : HostileValues())
    names.push_back(name.empty() ? std::string(kDefaultValueName) : name);
  ASSERT_TRUE(buck.BackupValuesOfNode(*node, names));
  {
    const std::unique_ptr<RegKey> key = registry.OpenWrite(kHkeyCurrentUser, base);
    for (const auto& [name, value] : HostileValues()) ASSERT_TRUE(key->DeleteValue(name)) << name;
  }
  WriteJournalAndMerge();
  ExpectHostileValuesAt(base);
}

// The editor stores text through the wide registry call, which adds the
// terminator it finds missing (when the memory behind its own buffer reads
// zero): such values come back one zero longer. The journal writes them
// exactly and reports the backup incomplete.
TEST_F(RegeditMergeTest, UnterminatedTextComesBackWithItsBytesAtLeast) {
  const std::string open = base + "\\Open";
  for (const auto& [name, value] : UnterminatedTextValues()) Set(open, name, value);
  EXPECT_FALSE(buck.BackupKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", open));
  ASSERT_TRUE(registry.DeleteKey(kHkeyCurrentUser, open));
  WriteJournalAndMerge();
  const std::unique_ptr<RegKey> key = registry.OpenRead(kHkeyCurrentUser, open);
  ASSERT_TRUE(key);
  for (const auto& [name, value] : UnterminatedTextValues()) {
    const std::optional<RegValue> read = key->QueryValue(name);
    ASSERT_TRUE(read) << name;
    EXPECT_EQ(read->type, value.type) << name;
    std::vector<std::uint8_t> bytes = read->data;
    if (bytes.size() == value.data.size() + 1 && bytes.back() == 0) bytes.pop_back();
    EXPECT_EQ(bytes, value.data) << name;
  }
}

// A tree whose paths reach 300, 600 and 2,000 characters, with names of 255
// characters: saved as the results of a problem on its top key, deleted and
// merged back, it is there again byte for byte.
TEST_F(RegeditMergeTest, ADeepTreeSavedAsResultsComesBackExactly) {
  const std::string top = base + "\\DeepTop";
  std::map<std::string, RegValue> planted;
  for (const std::size_t length : {300u, 600u, 2000u}) {
    std::string path = top;
    for (int i = 0; path.size() < length; ++i) {
      const std::size_t room = std::min<std::size_t>(255, length - path.size() - 1);
      path.append("\\").append(std::max<std::size_t>(room, 1), i % 2 ? 'D' : 'd');
      const RegValue value{kRegSz, {'p', static_cast<std::uint8_t>('0' + i % 10), 0}};
      std::string name = "v";
      name.append(std::to_string(length));
      Set(path, name, value);
    }
    planted[path] = {kRegDword, {static_cast<std::uint8_t>(length), 0, 0, 0}};
    Set(path, "", planted[path]);
  }
  auto snapshot = [&] {
    std::map<std::string, std::vector<std::pair<std::string, RegValue>>> keys;
    std::vector<std::string> pending{top};
    while (!pending.empty()) {
      const std::string path = pending.back();
      pending.pop_back();
      const std::unique_ptr<RegKey> key = registry.OpenRead(kHkeyCurrentUser, path);
      if (!key) continue;
      for (const std::string& name : key->ValueNames()) keys[path].emplace_back(name, *key->QueryValue(name));
      for (const std::string& sub : key->SubkeyNames()) {
        std::string child = path;
        pending.push_back(child.append("\\").append(sub));
      }
      keys.try_emplace(path);
    }
    return keys;
  };
  const auto before = snapshot();
  EXPECT_GE(before.size(), 10u);
  InsertProblemPath(tree, *tree.Top(), "HKEY_CURRENT_USER\\" + top, std::make_unique<TErrorClass>("Deep", 1));
  Win32FileSystem disk;
  TBuck saver{tree, registry, disk, clock, mail};
  saver.SaveResults(file);
  std::ifstream saved(file, std::ios::binary);
  ASSERT_TRUE(saved.good());
  ASSERT_TRUE(registry.DeleteKey(kHkeyCurrentUser, top));
  ASSERT_EQ(registry.OpenRead(kHkeyCurrentUser, top), nullptr);
  MergeWithRegedit(file);
  EXPECT_EQ(snapshot(), before);
}

// No registry file carries a key's class: a key with one is not backed up
// completely, so it is never deleted.
TEST_F(RegeditMergeTest, AKeyWithAClassIsNotBackedUpCompletely) {
  const std::string classed = base + "\\Classed";
  HKEY created = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, classed.c_str(), 0, const_cast<char*>("Shell"), 0, KEY_ALL_ACCESS,
                            nullptr, &created, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(created);
  EXPECT_EQ(registry.OpenRead(kHkeyCurrentUser, classed)->ClassName(), "Shell");
  EXPECT_EQ(registry.OpenRead(kHkeyCurrentUser, base)->ClassName(), "");
  EXPECT_FALSE(buck.BackupKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", base));
}

// A results file names the keys it could not read in comment lines at its
// end; the registry editor merges the rest all the same.
TEST_F(RegeditMergeTest, CommentLinesOfAResultsFileDoNotHinderTheMerge) {
  const std::string key = base + "\\Commented";
  std::ofstream(file, std::ios::binary) << "REGEDIT4\r\n\r\n\r\n[HKEY_CURRENT_USER\\" + key +
                                               "]\r\n\"v\"=\"1\"\r\n\r\n"
                                               "; These keys could not be read; they are not in this file:\r\n"
                                               "; HKEY_CURRENT_USER\\Unreadable\r\n\r\n";
  MergeWithRegedit(file);
  const std::unique_ptr<RegKey> merged = registry.OpenRead(kHkeyCurrentUser, key);
  ASSERT_TRUE(merged);
  EXPECT_EQ(merged->QueryValue("v"), (RegValue{kRegSz, {'1', 0}}));
  EXPECT_EQ(registry.OpenRead(kHkeyCurrentUser, "Unreadable"), nullptr);
}

}  // namespace
