// The judge reads the keys a backup copied from the copy, and every other
// key from the registry.
#include "clean/copy_first_registry.h"

#include <gtest/gtest.h>

#include "clean/rule_judge.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"
#include "platform/root_keys.h"
#include "regtext/regedit4_reader.h"

namespace {

class CopyFirstRegistryTest : public testing::Test {
 protected:
  void SetUp() override {
    ImportRegText(registry,
                  "REGEDIT4\n\n"
                  "[HKEY_CURRENT_USER\\Software\\Apps\\One]\n@=\"C:\\\\Gone\\\\one.exe\"\n"
                  "[HKEY_CURRENT_USER\\Software\\Apps\\One\\Sub]\n\"v\"=dword:00000001\n"
                  "[HKEY_CURRENT_USER\\Software\\Other]\n\"w\"=\"live\"\n");
    copy.key = KeyPath(kHkeyCurrentUser, "Software\\Apps\\One");
    copy.branch = *ReadBranchSnapshot(registry, kHkeyCurrentUser, "Software\\Apps\\One");
  }
  std::optional<RegValue> Read(Registry& from, RootKey root, const std::string& path, const std::string& name) {
    const std::unique_ptr<RegKey> key = from.OpenRead(root, path);
    return key ? key->QueryValue(name) : std::nullopt;
  }
  // Since the copy was made, the program is back and the subkey changed.
  void ChangeSinceTheCopy() {
    registry.OpenWrite(kHkeyCurrentUser, "Software\\Apps\\One")
        ->SetValue("", RegValue{kRegSz, {'C', ':', '\\', 'o', 'k', '\0'}});
    registry.OpenWrite(kHkeyCurrentUser, "Software\\Apps\\One\\Sub")->SetValue("v", RegValue{kRegSz, {'x', '\0'}});
  }

  MemoryRegistry registry;
  BackupCopy copy;
};

TEST_F(CopyFirstRegistryTest, TheCopiedKeysAnswerFromTheCopyWhileItAnswersAndTheRestFromTheRegistry) {
  const std::optional<RegValue> copied_sub = Read(registry, kHkeyCurrentUser, "Software\\Apps\\One\\Sub", "v");
  ChangeSinceTheCopy();
  CopyFirstRegistry judged(registry);
  {
    const CopyFirstRegistry::Answering answering(judged, copy);
    EXPECT_EQ(Read(judged, kHkeyCurrentUser, "software\\APPS\\one\\sub", "V"), copied_sub) << "names fold case";
    const std::unique_ptr<RegKey> one = judged.OpenRead(kHkeyCurrentUser, "Software\\Apps\\One");
    EXPECT_EQ(one->SubkeyNames(), std::vector<std::string>{"Sub"});
    EXPECT_EQ(one->ValueNames(), std::vector<std::string>{""});
    EXPECT_FALSE(one->SetValue("x", RegValue{})) << "the copy is read-only";
    EXPECT_EQ(Read(judged, kHkeyCurrentUser, "Software\\Other", "w"), Read(registry, kHkeyCurrentUser, "Software\\Other", "w"));
    EXPECT_FALSE(judged.OpenRead(kHkeyLocalMachine, "Software\\Apps\\One")) << "another root is another key";
  }
  EXPECT_EQ(Read(judged, kHkeyCurrentUser, "Software\\Apps\\One\\Sub", "v"),
            Read(registry, kHkeyCurrentUser, "Software\\Apps\\One\\Sub", "v"));
}

TEST_F(CopyFirstRegistryTest, CopiedValuesAnswerFromTheCopyAndTheRestOfTheirKeyFromTheRegistry) {
  BackupCopy values{KeyPath(kHkeyCurrentUser, "Software\\Other"), {}, {{"w", RegValue{kRegSz, {'o', 'l', 'd', 0}}}}};
  CopyFirstRegistry judged(registry);
  const CopyFirstRegistry::Answering answering(judged, values);
  std::unique_ptr<RegKey> other = judged.OpenRead(kHkeyCurrentUser, "Software\\Other");
  registry.OpenWrite(kHkeyCurrentUser, "Software\\Other")->SetValue("x", RegValue{kRegDword, {1, 0, 0, 0}});
  EXPECT_EQ(other->QueryValue("W"), values.values[0].second);
  EXPECT_EQ(other->QueryValue("x"), (RegValue{kRegDword, {1, 0, 0, 0}})) << "the registry, read when first asked";
  EXPECT_EQ(other->ValueNames(), (std::vector<std::string>{"w", "x"}));
  registry.DeleteKey(kHkeyCurrentUser, "Software\\Other");
  other = judged.OpenRead(kHkeyCurrentUser, "Software\\Other");
  EXPECT_EQ(other->QueryValue("w"), values.values[0].second);
  EXPECT_TRUE(other->ValueNames().empty()) << "gone: its deletion finds it so";
}

// The registry folds more letters than this program does (here the
// accented ones of Windows-1252): a value a rule names in another case of
// those is the copied one all the same, under the name it is stored by.
TEST_F(CopyFirstRegistryTest, CopiedValuesAreFoundByEveryNameTheRegistryTakesForThem) {
  registry.OpenWrite(kHkeyCurrentUser, "Software\\Apps\\One")->SetValue("\xC9t\xE9", RegValue{kRegSz, {'s', 0}});
  copy.branch = *ReadBranchSnapshot(registry, kHkeyCurrentUser, "Software\\Apps\\One");
  BackupCopy values{KeyPath(kHkeyCurrentUser, "Software\\Apps\\One"), {}, {{"\xC9t\xE9", RegValue{kRegSz, {'v', 0}}}}};
  CopyFirstRegistry judged(registry);
  for (const BackupCopy* answering_copy : {&copy, &values}) {
    const CopyFirstRegistry::Answering answering(judged, *answering_copy);
    const std::unique_ptr<RegKey> one = judged.OpenRead(kHkeyCurrentUser, "Software\\Apps\\One");
    EXPECT_EQ(one->QueryValue("\xE9T\xC9"), (RegValue{kRegSz, {static_cast<std::uint8_t>(answering_copy == &copy ? 's' : 'v'), 0}}));
    EXPECT_EQ(one->StoredValueName("\xE9T\xC9"), "\xC9t\xE9");
    EXPECT_EQ(one->StoredValueName("Missing"), std::nullopt);
  }
}

TEST_F(CopyFirstRegistryTest, TheJudgeJudgesWhatTheBackupCopied) {
  MemoryFileSystem files;
  RuleJudge judge(registry, files, {{"HKEY_CURRENT_USER\\Software\\Apps\\*", "Apps,1,FILEDEF_"}}, nullptr);
  auto record = std::make_unique<TErrorClass>(kFileNotFound, kDefaultValueName, 1);
  record->FRules = {{0, "HKEY_CURRENT_USER\\Software\\Apps\\One"}};
  ResultTree tree;
  ResultNode& one = *InsertProblemPath(tree, *tree.Top(), "HKEY_CURRENT_USER\\Software\\Apps\\One", std::move(record));
  files.AddFile("C:\\ok");
  ChangeSinceTheCopy();
  // The comparison that follows refuses it as changed: the copy is what goes.
  EXPECT_EQ(judge.Judge(one, {}, copy), Verdict::kStillAProblem);
  EXPECT_EQ(judge.Judge(one, {}, BackupCopy{}), Verdict::kValidNow) << "without a copy, the registry as it is";
}

}  // namespace
