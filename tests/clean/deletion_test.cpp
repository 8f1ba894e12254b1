// Deleting problems over the in-memory registry and files: what each level
// deletes, the branch that goes, and every way a deletion is refused
// without losing anything.
#include <gtest/gtest.h>

#include "clean/deletion.h"
#include "app/deletion_report.h"
#include "app/form_texts.h"
#include "lang/langv.h"
#include "lang/message_numbers.h"
#include "platform/file_errors.h"
#include "platform/fixed_clock.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"
#include "scan/key_paths.h"
#include "regtext/regedit4_reader.h"
#include "scan/keep_list.h"
#include "platform/root_keys.h"

#include "support/no_mail.h"

namespace {

// A registry that answers every deletion with success and deletes nothing,
// as a key without the rights to delete it might.
class StubbornRegistry : public Registry {
 public:
  explicit StubbornRegistry(Registry& inner) : inner_(inner) {}
  std::unique_ptr<RegKey> OpenRead(RootKey root, const std::string& path) override {
    return inner_.OpenRead(root, path);
  }
  std::unique_ptr<RegKey> OpenWrite(RootKey root, const std::string& path) override {
    return inner_.OpenWrite(root, path);
  }
  bool DeleteKey(RootKey root, const std::string& path) override {
    return stubborn || inner_.DeleteKey(root, path);
  }
  bool DeleteLeafKey(RootKey root, const std::string& path) override {
    return stubborn || inner_.DeleteLeafKey(root, path);
  }
  bool stubborn = false;

 private:
  Registry& inner_;
};

class DeletionTest : public testing::Test {
 protected:
  void SetUp() override {
    ImportRegText(memory,
                  "REGEDIT4\r\n\r\n"
                  "[HKEY_CURRENT_USER\\A\\B\\C\\D]\r\n\"v\"=\"1\"\r\n"
                  "[HKEY_CURRENT_USER\\A\\B\\Other]\r\n\"w\"=\"2\"\r\n"
                  "[HKEY_CURRENT_USER\\Run]\r\n@=\"gone\"\r\n\"Bad\"=\"gone\"\r\n\"Good\"=\"here\"\r\n\"Worse\"=\"x\"\r\n");
    journal.BeginBackupFile();
  }
  ResultNode& Problem(const std::string& path, int level, std::vector<std::string> values = {}) {
    auto record = std::make_unique<TErrorClass>("File not found", level);
    for (const std::string& name : values) record->AddValueName(name);
    return *InsertProblemPath(tree, *tree.Top(), "HKEY_CURRENT_USER\\" + path, std::move(record));
  }
  bool Exists(const std::string& path) { return memory.OpenRead(kHkeyCurrentUser, path) != nullptr; }
  bool HasValue(const std::string& path, const std::string& name) {
    auto key = memory.OpenRead(kHkeyCurrentUser, path);
    return key && key->QueryValue(name);
  }
  bool InTree(const std::string& path) {
    ResultNode* node = tree.Top();
    std::size_t start = 0;
    for (;;) {
      const std::size_t slash = path.find('\\', start);
      node = node->FindChild(path.substr(start, slash - start));
      if (!node || slash == std::string::npos) return node != nullptr;
      start = slash + 1;
    }
  }
  bool BackupWritten() { return files.FileExists(journal.FileName()); }

  MemoryRegistry memory;
  StubbornRegistry registry{memory};
  MemoryFileSystem files;
  FixedClock clock{{2026, 12, 7, 12, 0, 0}};
  NoMail mail;
  ResultTree tree;
  TBuck journal{tree, registry, files, clock, mail};
  ProblemDeletion deletion{tree, registry, journal};
};

TEST_F(DeletionTest, EachLevelDeletesItsKeyAfterTheBackupIsWrittenAndPrunesItsBranch) {
  ResultNode& deep = Problem("A\\B\\C\\D", 1);
  Problem("A\\B\\Other", 0, {"w"});
  const DeletionOutcome outcome = deletion.DeleteProblem(deep);
  EXPECT_TRUE(outcome.deleted);
  EXPECT_EQ(outcome.key, "HKEY_CURRENT_USER\\A\\B\\C\\D");
  EXPECT_FALSE(Exists("A\\B\\C\\D"));
  EXPECT_TRUE(Exists("A\\B\\C"));
  EXPECT_TRUE(BackupWritten());
  EXPECT_NE(files.ReadFile(journal.FileName())->find("[HKEY_CURRENT_USER\\A\\B\\C\\D]"), std::string::npos);
  EXPECT_FALSE(InTree("HKEY_CURRENT_USER\\A\\B\\C")) << "up to the node with another child";
  EXPECT_TRUE(InTree("HKEY_CURRENT_USER\\A\\B\\Other"));

  ResultNode& level5 = Problem("A\\B\\C\\D\\E", 3);  // level 3 on a level-5 node: its grandparent's key
  memory.OpenWrite(kHkeyCurrentUser, "A\\B\\C\\D\\E");
  EXPECT_EQ(deletion.DeleteProblem(level5).key, "HKEY_CURRENT_USER\\A\\B\\C");
  EXPECT_FALSE(Exists("A\\B\\C"));
  EXPECT_TRUE(Exists("A\\B\\Other"));
}

TEST_F(DeletionTest, AValueProblemDeletesItsValuesDefaultIncluded) {
  ResultNode& run = Problem("Run", 0, {"(Default)", "bad"});
  EXPECT_TRUE(deletion.DeleteProblem(run).deleted);
  EXPECT_FALSE(HasValue("Run", ""));
  EXPECT_FALSE(HasValue("Run", "Bad"));
  EXPECT_TRUE(HasValue("Run", "Good"));
  EXPECT_FALSE(InTree("HKEY_CURRENT_USER")) << "a root node with nothing below goes too";
  EXPECT_EQ(tree.NodeCount(), 1u);
}

// FILE_ without a parameter looks at the default value and records its
// empty name: what goes must be in the backup all the same.
TEST_F(DeletionTest, TheDefaultValueNamedByItsEmptyNameIsBackedUpBeforeItGoes) {
  ResultNode& run = Problem("Run", 0, {""});
  EXPECT_TRUE(deletion.DeleteProblem(run).deleted);
  EXPECT_FALSE(HasValue("Run", ""));
  EXPECT_NE(files.ReadFile(journal.FileName()).value_or("").find("[HKEY_CURRENT_USER\\Run]\r\n@=\"gone\""),
            std::string::npos);
}

TEST_F(DeletionTest, NothingIsDeletedWhenTheBackupFileCannotBeWritten) {
  ResultNode& deep = Problem("A\\B\\C\\D", 1);
  files.SetLocked(journal.FileName(), true);
  EXPECT_THROW(deletion.DeleteProblem(deep), FileCreateError);
  EXPECT_TRUE(Exists("A\\B\\C\\D"));
  EXPECT_TRUE(InTree("HKEY_CURRENT_USER\\A\\B\\C\\D"));
  ResultNode& values = Problem("Run", 0, {"Bad", "Worse"});
  EXPECT_THROW(deletion.DeleteValues(values, {"Bad"}), FileCreateError);
  EXPECT_TRUE(HasValue("Run", "Bad"));
  EXPECT_EQ(values.Data()->FValueNames, (std::vector<std::string>{"Bad", "Worse"})) << "the record as it was";
  EXPECT_NO_THROW(journal.BeginBackupFile()) << "the refused deletions leave nothing to write: the next scan starts";
}

TEST_F(DeletionTest, RefusedWhenTheBackupWouldBeIncompleteOrTheLevelReachesARootKey) {
  memory.OpenWrite(kHkeyCurrentUser, "A\\B\\C\\D")->SetValue("list", {kRegMultiSz, {'a', 0, 'b'}});
  ResultNode& deep = Problem("A\\B\\C\\D", 1);
  const DeletionOutcome incomplete = deletion.DeleteProblem(deep);
  EXPECT_FALSE(incomplete.deleted);
  EXPECT_EQ(incomplete.refusal.reason, RefusalReason::kBackup);
  EXPECT_TRUE(Exists("A\\B\\C\\D"));
  EXPECT_TRUE(InTree("HKEY_CURRENT_USER\\A\\B\\C\\D"));

  ResultNode& reaching_root = Problem("Run", 2);
  const DeletionOutcome root = deletion.DeleteProblem(reaching_root);
  EXPECT_FALSE(root.deleted);
  EXPECT_EQ(root.refusal.reason, RefusalReason::kRootKey);
  EXPECT_TRUE(HasValue("Run", "Good"));

  // Not "deleted" while the registry keeps everything it had.
  ResultNode& no_value = Problem("A\\B", 0);
  const DeletionOutcome nothing = deletion.DeleteProblem(no_value);
  EXPECT_FALSE(nothing.deleted);
  EXPECT_EQ(nothing.refusal.reason, RefusalReason::kNoValue);
  EXPECT_TRUE(InTree("HKEY_CURRENT_USER\\A\\B"));
  EXPECT_EQ(deletion.DeleteAll([] {}).refused.size(), 3u) << "Delete All says so too";
}

TEST_F(DeletionTest, ADeletionTheRegistryRefusesKeepsItsProblem) {
  registry.stubborn = true;
  ResultNode& deep = Problem("A\\B\\C\\D", 1);
  const DeletionOutcome outcome = deletion.DeleteProblem(deep);
  EXPECT_FALSE(outcome.deleted);
  // Its value went through the key's handle; the key itself stayed.
  EXPECT_EQ(outcome.refusal.reason, RefusalReason::kPartly);
  EXPECT_TRUE(InTree("HKEY_CURRENT_USER\\A\\B\\C\\D"));
  ASSERT_NE(deep.Data(), nullptr);
}

TEST_F(DeletionTest, AnAncestorsOwnProblemStaysInTheTreeWhenTheOneBelowItGoes) {
  // The parent's problem not deleted, as after a refusal.
  ResultNode& parent = Problem("A\\B\\C", 0, {"x"});
  ResultNode& child = Problem("A\\B\\C\\D", 0, {"v"});
  EXPECT_TRUE(deletion.DeleteProblem(child).deleted);
  EXPECT_TRUE(InTree("HKEY_CURRENT_USER\\A\\B\\C")) << "the parent's refused problem is still to be seen";
  EXPECT_EQ(parent.Data()->FValueNames, std::vector<std::string>{"x"});
  EXPECT_FALSE(InTree("HKEY_CURRENT_USER\\A\\B\\C\\D"));
}

TEST_F(DeletionTest, DeleteValuesKeepsTheProblemWhileBadValuesRemain) {
  ResultNode& run = Problem("Run", 0, {"Bad", "Worse"});
  EXPECT_TRUE(deletion.DeleteValues(run, {"BAD"}).deleted);
  EXPECT_FALSE(HasValue("Run", "Bad"));
  EXPECT_TRUE(HasValue("Run", "Worse"));
  EXPECT_EQ(run.Data()->FValueNames, std::vector<std::string>{"Worse"});
  EXPECT_TRUE(deletion.DeleteValues(run, {"Worse"}).deleted);
  EXPECT_EQ(tree.NodeCount(), 1u);
}

TEST_F(DeletionTest, DeleteAllBacksUpEverythingFirstAndSkipsWhatWentWithABranch) {
  Problem("A\\B", 1);
  Problem("A\\B\\C\\D", 1);  // below the other problem
  Problem("Run", 0, {"Bad"});
  Problem("Gone", 2);         // reaches the root: refused
  int steps = 0;
  const DeletionSummary summary = deletion.DeleteAll([&] { ++steps; });
  EXPECT_EQ(steps, 8) << "each problem once backed up, once deleted";
  EXPECT_EQ(summary.deleted.size(), 2u);
  ASSERT_EQ(summary.refused.size(), 1u);
  EXPECT_EQ(summary.refused[0].refusal.reason, RefusalReason::kRootKey);
  EXPECT_FALSE(Exists("A\\B"));
  EXPECT_FALSE(HasValue("Run", "Bad"));
  EXPECT_TRUE(HasValue("Run", "Good"));
  const std::string backup = *files.ReadFile(journal.FileName());
  EXPECT_NE(backup.find("[HKEY_CURRENT_USER\\A\\B\\C\\D]"), std::string::npos);
  EXPECT_NE(backup.find("\"Bad\"=\"gone\""), std::string::npos);
  EXPECT_EQ(tree.NodeCount(), 3u) << "My Computer, HKEY_CURRENT_USER and the refused problem";
}

// The status panel names what went: the key, or which of its values.
TEST_F(DeletionTest, TheStatusSaysWhatWasDeletedInTheInterfacesLanguage) {
  FormTexts form;
  TLangv english(form, memory, files);  // no language file: the built-in texts
  Problem("A\\B\\Other", 0, {"w"});
  EXPECT_EQ(OutcomeText(deletion.DeleteProblem(Problem("A\\B\\C\\D", 1)), english),
            "Deleted the key HKEY_CURRENT_USER\\A\\B\\C\\D");
  EXPECT_EQ(OutcomeText(deletion.DeleteProblem(Problem("Run", 0, {"(Default)", "Bad"})), english),
            "Deleted from HKEY_CURRENT_USER\\Run: \"(Default)\", \"Bad\"");
  EXPECT_EQ(OutcomeText(deletion.DeleteProblem(Problem("Gone", 2)), english),
            "Not deleted: HKEY_CURRENT_USER\\Gone: its deletion level reaches a whole root key");

  // A language whose every text is "<number>[%1|%2]".
  std::string messages = "[Messages]\n";
  for (int i = 0; i <= kLastMessage; ++i)
    messages += "m" + std::to_string(i) + "=" + std::to_string(i) + "[%1|%2]\n";
  files.AddFile(files.ExeFolder() + "lang.ini", "[languages]\nnumbered=numbered.lng\n");
  files.AddFile(files.ExeFolder() + "numbered.lng", messages);
  TLangv numbered(form, memory, files);
  ASSERT_TRUE(numbered.LoadLanguage("numbered"));
  const auto n = [](int number) { return std::to_string(number); };
  EXPECT_EQ(OutcomeText({"K", true, {}, {}}, numbered), n(kMsgDeletedKey) + "[K|%2]");
  EXPECT_EQ(OutcomeText({"K", true, {}, {"a"}}, numbered), n(kMsgDeletedValues) + "[K|\"a\"]");
  EXPECT_EQ(OutcomeText({"K", false, {RefusalReason::kByRegistry}, {}}, numbered),
            n(kMsgNotDeleted) + "[K|" + n(kMsgRefusedByRegistry) + "[%1|%2]]");
  EXPECT_EQ(OutcomeText({"K", false, {RefusalReason::kKept, "it is kept"}, {}}, numbered),
            n(kMsgNotDeleted) + "[K|it is kept]");
  EXPECT_EQ(OutcomeText({"K", false, {RefusalReason::kCannotTell}, {}}, numbered),
            n(kMsgNotDeleted) + "[K|" + n(kMsgRefusedCannotTell) + "[%1|%2]]");
}

// Delete All's question and summary, in English as built in and in a
// language whose every text is its number.
TEST_F(DeletionTest, DeleteAllAsksAndSumsUpInTheInterfacesLanguage) {
  FormTexts form;
  const TLangv english(form, memory, files);
  EXPECT_EQ(DeleteAllQuestion("C:\\b.reg", english),
            "Attention! All keys will be deleted and are saved in the file \r\nC:\\b.reg");
  Problem("A\\B\\C\\D", 1);
  Problem("Gone", 2);
  const DeletionSummary summary = deletion.DeleteAll([] {});
  EXPECT_EQ(DeleteAllSummary(summary, "C:\\b.reg", {"a note"}, english),
            "Deleted: 1 problem.\r\nBackup file: C:\\b.reg\r\n\r\nNot deleted: 1\r\n"
            "HKEY_CURRENT_USER\\Gone: its deletion level reaches a whole root key\r\na note");
  DeletionSummary two;
  two.deleted = {{"K", true, {}, {}}, {"L", true, {}, {}}};
  EXPECT_EQ(DeleteAllSummary(two, "F", {}, english), "Deleted: 2 problems.\r\nBackup file: F");

  std::string messages = "[Messages]\n";
  for (int i = 0; i <= kLastMessage; ++i) messages += "m" + std::to_string(i) + "=" + std::to_string(i) + "[%1]\n";
  files.AddFile(files.ExeFolder() + "lang.ini", "[languages]\nnumbered=numbered.lng\n");
  files.AddFile(files.ExeFolder() + "numbered.lng", messages);
  TLangv numbered(form, memory, files);
  ASSERT_TRUE(numbered.LoadLanguage("numbered"));
  const auto n = [](int number) { return std::to_string(number); };
  EXPECT_EQ(DeleteAllQuestion("F", numbered), n(kMsgDeleteAllQuestion) + "[%1] \r\nF");
  EXPECT_EQ(DeleteAllSummary(summary, "F", {}, numbered),
            n(kMsgDeletedOneProblem) + "[1]\r\n" + n(kMsgBackupFileIs) + "[F]\r\n\r\n" + n(kMsgNotDeletedCount) +
                "[1]\r\nHKEY_CURRENT_USER\\Gone: " + n(kMsgRefusedRootKey) + "[%1]");
  EXPECT_EQ(DeleteAllSummary(two, "F", {}, numbered).rfind(n(kMsgDeletedProblems) + "[2]\r\n", 0), 0u);
}

// The backup is named whenever one was written: refused or not, its file
// stays as written.
TEST_F(DeletionTest, TheSummaryNamesTheBackupWhenOneWasWritten) {
  FormTexts form;
  const TLangv english(form, memory, files);
  DeletionSummary summary;
  summary.refused.push_back({"HKEY_CURRENT_USER\\K", false, {RefusalReason::kValidNow}, {}});
  EXPECT_EQ(DeleteAllSummary(summary, "", {}, english),
            "Deleted: 0 problems.\r\n\r\nNot deleted: 1\r\nHKEY_CURRENT_USER\\K: it is valid now");
  summary.partly.push_back({"HKEY_CURRENT_USER\\P", false, {RefusalReason::kPartly}, {}});
  summary.gone_before.push_back({"HKEY_CURRENT_USER\\G", false, {RefusalReason::kGoneBefore}, {}});
  EXPECT_EQ(DeleteAllSummary(summary, "C:\\b.reg", {}, english),
            "Deleted: 0 problems.\r\nBackup file: C:\\b.reg\r\n\r\nNot deleted: 1\r\nHKEY_CURRENT_USER\\K: it is valid now"
            "\r\n\r\n1 partly deleted: what is left changed while it was deleted and stays; the backup gives back "
            "what went:\r\nHKEY_CURRENT_USER\\P\r\n\r\n1 were gone before they were deleted (not counted as "
            "deleted):\r\nHKEY_CURRENT_USER\\G");
  summary.deleted.push_back({"HKEY_CURRENT_USER\\L", true, {}, {}});
  EXPECT_EQ(DeleteAllSummary(summary, "C:\\b.reg", {}, english).rfind("Deleted: 1 problem.\r\nBackup file: C:\\b.reg\r\n", 0), 0u);
}

TEST_F(DeletionTest, DeleteAllWithNothingLeftDeletesAndWritesNothing) {
  ResultNode& run = Problem("Run", 0, {"Bad"});
  EXPECT_TRUE(deletion.DeleteProblem(run).deleted);
  files.DeleteFile(journal.FileName());
  journal.BeginBackupFile();
  const DeletionSummary summary = deletion.DeleteAll([] {});
  EXPECT_TRUE(summary.deleted.empty());
  EXPECT_FALSE(BackupWritten());
}

TEST_F(DeletionTest, ADeletionThatWouldTakeAKeptKeyOrValueWithItIsRefusedBeforeAnythingIsBackedUp) {
  KeepList kept;
  kept.Add({"HKEY_CURRENT_USER\\A\\*\\C\\D", "v", true}, "it is excluded");
  kept.Add({"hkey_current_user\\run", "WORSE", false}, "it is on the ignore list");
  deletion.SetKeepList(&kept);
  ResultNode& parent = Problem("A\\B\\C\\D\\E", 3);  // deletes A\B\C, and with it the kept value of D
  memory.OpenWrite(kHkeyCurrentUser, "A\\B\\C\\D\\E");
  const DeletionOutcome outcome = deletion.DeleteProblem(parent);
  EXPECT_FALSE(outcome.deleted);
  EXPECT_EQ(outcome.refusal,
            (Refusal{RefusalReason::kKept,
                     "it would remove the value \"v\" of HKEY_CURRENT_USER\\A\\B\\C\\D, and it is excluded"}));
  EXPECT_TRUE(Exists("A\\B\\C\\D\\E"));
  EXPECT_FALSE(BackupWritten());

  ResultNode& values = Problem("Run", 0, {"Bad", "Worse"});
  EXPECT_EQ(RefusalText(deletion.DeleteValues(values, {"worse"}).refusal),
            "it would remove the value \"worse\" of HKEY_CURRENT_USER\\Run, and it is on the ignore list");
  EXPECT_TRUE(HasValue("Run", "Worse"));
  EXPECT_TRUE(deletion.DeleteValues(values, {"Bad"}).deleted) << "the values not kept go";

  // Once the kept value is gone from the registry, nothing kept is left to take along.
  memory.OpenWrite(kHkeyCurrentUser, "A\\B\\C\\D")->DeleteValue("v");
  EXPECT_TRUE(deletion.DeleteProblem(parent).deleted);
}

TEST_F(DeletionTest, AKeptKeyBelowAWildcardLevelIsFoundInTheRegistry) {
  KeepList kept;
  kept.Add({"HKEY_CURRENT_USER\\A\\B\\*", std::nullopt, true}, "it is excluded");
  deletion.SetKeepList(&kept);
  Problem("A\\B", 1);
  Problem("A\\B\\C\\D", 1);  // a level-1 key below the excluded A\B\C: nothing kept goes
  const DeletionSummary summary = deletion.DeleteAll([] {});
  ASSERT_EQ(summary.refused.size(), 1u);
  EXPECT_EQ(RefusalText(summary.refused[0].refusal), "it would remove HKEY_CURRENT_USER\\A\\B\\C, and it is excluded");
  EXPECT_EQ(summary.deleted.size(), 1u);
  EXPECT_FALSE(Exists("A\\B\\C\\D"));
  EXPECT_TRUE(Exists("A\\B\\Other"));
}

TEST_F(DeletionTest, ADryRunPlansAndPrunesAsDeleteAllDoesAndChangesNothing) {
  Problem("A\\B", 1);
  Problem("A\\B\\C\\D", 1);
  Problem("Run", 0, {"Bad"});
  Problem("Gone", 2);
  deletion.SetDryRun(true);
  const DeletionSummary summary = deletion.DeleteAll([] {});
  EXPECT_EQ(summary.deleted.size(), 2u);
  EXPECT_EQ(summary.refused.size(), 1u);
  EXPECT_TRUE(Exists("A\\B\\C\\D"));
  EXPECT_TRUE(HasValue("Run", "Bad"));
  EXPECT_FALSE(BackupWritten());
}

}  // namespace
