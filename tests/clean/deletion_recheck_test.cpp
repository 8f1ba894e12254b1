// The last look before each deletion, over the in-memory registry: writers
// that change entries the moment the backup file appears, problems that
// became valid, retries after a refusal, keys with a class, and two
// journals given one backup name.
#include <gtest/gtest.h>

#include <functional>

#include "clean/deletion.h"
#include "clean/restore.h"
#include "platform/file_errors.h"
#include "platform/fixed_clock.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"
#include "regtext/file_seal.h"
#include "regtext/reg_file_encoding.h"
#include "regtext/regedit4_reader.h"
#include "platform/root_keys.h"
#include "support/no_mail.h"

namespace {

// Runs a writer once right after a file was written: between the backup and
// the first deletion.
class FilesWithAWriter : public MemoryFileSystem {
 public:
  bool WriteFileNew(const std::string& path, const std::string& content) override {
    return Then(MemoryFileSystem::WriteFileNew(path, content));
  }
  bool WriteFileAtomic(const std::string& path, const std::string& content) override {
    return Then(MemoryFileSystem::WriteFileAtomic(path, content));
  }
  bool Then(bool written) {
    if (written && on_write) std::exchange(on_write, nullptr)();
    return written;
  }
  std::function<void()> on_write;
};

class FixedJudge : public ProblemJudge {
 public:
  Verdict Judge(const ResultNode& problem, const std::vector<std::string>&, const BackupCopy&) override {
    return problem.Text() == valid_now ? verdict : Verdict::kStillAProblem;
  }
  std::string valid_now;
  Verdict verdict = Verdict::kValidNow;
};

class DeletionRecheckTest : public testing::Test {
 protected:
  void SetUp() override {
    ImportRegText(registry,
                  "REGEDIT4\r\n\r\n"
                  "[HKEY_CURRENT_USER\\Keys\\Added]\r\n\"v\"=\"1\"\r\n"
                  "[HKEY_CURRENT_USER\\Keys\\Subkey]\r\n\"v\"=\"1\"\r\n"
                  "[HKEY_CURRENT_USER\\Keys\\Same]\r\n\"v\"=\"1\"\r\n"
                  "[HKEY_CURRENT_USER\\Keys\\Same\\Deep]\r\n\"w\"=dword:00000001\r\n"
                  "[HKEY_CURRENT_USER\\Values]\r\n\"changed\"=\"old\"\r\n\"retyped\"=\"1\"\r\n\"same\"=\"x\"\r\n");
    journal.BeginBackupFile();
    deletion.SetJudge(&judge);
  }
  ResultNode& Problem(const std::string& path, int level, std::vector<std::string> values = {}) {
    auto record = std::make_unique<TErrorClass>("File not found", level);
    for (const std::string& name : values) record->AddValueName(name);
    return *InsertProblemPath(tree, *tree.Top(), "HKEY_CURRENT_USER\\" + path, std::move(record));
  }
  std::unique_ptr<RegKey> Key(const std::string& path) { return registry.OpenWrite(kHkeyCurrentUser, path); }
  std::optional<RegValue> Value(const std::string& path, const std::string& name) {
    const std::unique_ptr<RegKey> key = registry.OpenRead(kHkeyCurrentUser, path);
    return key ? key->QueryValue(name) : std::nullopt;
  }
  std::vector<std::string> Refused(const DeletionSummary& summary, RefusalReason reason) {
    std::vector<std::string> keys;
    for (const DeletionOutcome& outcome : summary.refused)
      if (outcome.refusal.reason == reason) keys.push_back(outcome.key);
    return keys;
  }
  // The backup merged into an empty registry, as the restore merges it.
  std::optional<RegValue> Restored(const std::string& path, const std::string& name) {
    MemoryRegistry restored;
    ApplyRegText(restored, DecodeRegFile(*files.ReadFile(journal.FileName()), SameCodePages()),
                 RegTextBytes::kAsWritten);
    const std::unique_ptr<RegKey> key = restored.OpenRead(kHkeyCurrentUser, path);
    return key ? key->QueryValue(name) : std::nullopt;
  }

  MemoryRegistry registry;
  FilesWithAWriter files;
  FixedClock clock{{2026, 12, 7, 12, 0, 0}};
  NoMail mail;
  ResultTree tree;
  TBuck journal{tree, registry, files, clock, mail};
  ProblemDeletion deletion{tree, registry, journal};
  FixedJudge judge;
};

const RegValue kNew{kRegSz, {'n', 'e', 'w', 0}};

TEST_F(DeletionRecheckTest, WhatChangedAfterTheBackupIsRefusedAndLeftWithItsNewData) {
  Problem("Keys\\Added", 1);
  Problem("Keys\\Subkey", 1);
  Problem("Keys\\Same", 1);
  Problem("Values", 0, {"changed"});
  files.on_write = [&] {
    Key("Keys\\Added")->SetValue("added", kNew);
    Key("Keys\\Subkey\\New");
    Key("Values")->SetValue("changed", kNew);
  };
  const DeletionSummary summary = deletion.DeleteAll([] {});
  EXPECT_EQ(Refused(summary, RefusalReason::kChanged),
            (std::vector<std::string>{"HKEY_CURRENT_USER\\Keys\\Added", "HKEY_CURRENT_USER\\Keys\\Subkey",
                                      "HKEY_CURRENT_USER\\Values"}));
  EXPECT_EQ(Value("Keys\\Added", "added"), kNew);
  EXPECT_EQ(Value("Keys\\Added", "v"), (RegValue{kRegSz, {'1', 0}})) << "nothing of it deleted";
  EXPECT_TRUE(registry.OpenRead(kHkeyCurrentUser, "Keys\\Subkey\\New"));
  EXPECT_EQ(Value("Values", "changed"), kNew);
  EXPECT_TRUE(tree.Top()->Child(0)->FindChild("Keys")->FindChild("Added")) << "it stays in the tree";
  // What did not change went, branch and all.
  EXPECT_FALSE(registry.OpenRead(kHkeyCurrentUser, "Keys\\Same"));
  EXPECT_EQ(summary.deleted.size(), 1u);
}

// Problems ahead in the same Delete All took entries out of a later
// problem's branch: that is no change by anyone else.
TEST_F(DeletionRecheckTest, WhatEarlierProblemsDeletedInsideABranchIsNoChange) {
  Problem("Keys\\Same\\Deep", 0, {"w"});      // a value inside Same first
  Problem("Keys\\Same\\Sub\\Leaf", 2);         // then the key Sub, inside Same
  Key("Keys\\Same\\Sub\\Leaf");
  Problem("Keys\\Same\\Other", 2);             // and Same itself, with all of it
  Key("Keys\\Same\\Other");
  const DeletionSummary summary = deletion.DeleteAll([] {});
  EXPECT_TRUE(summary.refused.empty())
      << summary.refused.front().key << ": " << RefusalText(summary.refused.front().refusal);
  EXPECT_EQ(summary.deleted.size(), 3u);
  EXPECT_FALSE(registry.OpenRead(kHkeyCurrentUser, "Keys\\Same"));
}

TEST_F(DeletionRecheckTest, ARetypedValueOrOneThatAppearedSinceIsAChange) {
  ResultNode& retyped = Problem("Values", 0, {"retyped", "absent"});
  files.on_write = [&] { Key("Values")->SetValue("retyped", {kRegExpandSz, {'1', 0}}); };
  EXPECT_EQ(deletion.DeleteProblem(retyped).refusal.reason, RefusalReason::kChanged);
  EXPECT_EQ(Value("Values", "retyped"), (RegValue{kRegExpandSz, {'1', 0}}));

  journal.BeginBackupFile();
  files.on_write = [&] { Key("Values")->SetValue("absent", kNew); };
  EXPECT_EQ(deletion.DeleteProblem(retyped).refusal.reason, RefusalReason::kChanged)
      << "a listed value absent then is there now";
  EXPECT_TRUE(Value("Values", "retyped"));
  Key("Values")->DeleteValue("absent");
  EXPECT_TRUE(deletion.DeleteProblem(retyped).deleted) << "absent then, absent now: nothing differs";
}

// The file is written whole before the first deletion and never again: it
// holds the refused problem too, and restoring it into the registry as it
// is now gives back what went and overwrites nothing that changed since.
TEST_F(DeletionRecheckTest, AProblemValidNowIsRefusedAndItsBlockInTheBackupOverwritesNothing) {
  Problem("Keys\\Same", 1);
  Problem("Values", 0, {"same"});
  judge.valid_now = "Same";
  const DeletionSummary summary = deletion.DeleteAll([] {});
  EXPECT_EQ(Refused(summary, RefusalReason::kValidNow), std::vector<std::string>{"HKEY_CURRENT_USER\\Keys\\Same"});
  EXPECT_TRUE(registry.OpenRead(kHkeyCurrentUser, "Keys\\Same\\Deep"));
  EXPECT_FALSE(Value("Values", "same"));
  const std::string backup = *files.ReadFile(journal.FileName());
  const std::vector<std::string> lines = *RegFileLines(backup);
  EXPECT_EQ(CheckFileSeal(lines).state, FileSealState::kIntact);
  EXPECT_EQ(lines[lines.size() - 2], FileSealEndLine({3, 3}));

  Key("Keys\\Same\\Deep")->SetValue("w", kNew);
  const RestoreReport report = ApplyRestore(registry, backup, SameCodePages());
  EXPECT_EQ(Value("Keys\\Same\\Deep", "w"), kNew) << "changed since the deletion: kept";
  EXPECT_EQ(report.conflicts, std::vector<std::string>{"[HKEY_CURRENT_USER\\Keys\\Same\\Deep] \"w\""});
  EXPECT_EQ(Value("Values", "same"), (RegValue{kRegSz, {'x', 0}})) << "what went comes back";
  EXPECT_EQ(report.values, 1);
  EXPECT_EQ(report.values_there, 1) << "Keys\\Same's own value";
  EXPECT_FALSE(RestoredAll(report));
  ApplyRestore(registry, backup, SameCodePages(), OnConflict::kOverwrite);
  EXPECT_EQ(Value("Keys\\Same\\Deep", "w"), (RegValue{kRegDword, {1, 0, 0, 0}})) << "when the user says so";
}

TEST_F(DeletionRecheckTest, AChangeIsNamedBeforeAVerdictAndWhatCannotBeToldIsNotCalledValid) {
  Problem("Keys\\Added", 1);
  Problem("Keys\\Same", 1);
  judge.valid_now = "Added";
  files.on_write = [&] { Key("Keys\\Added")->SetValue("added", kNew); };
  EXPECT_EQ(Refused(deletion.DeleteAll([] {}), RefusalReason::kChanged), std::vector<std::string>{"HKEY_CURRENT_USER\\Keys\\Added"});

  ResultNode& values = Problem("Values", 0, {"same"});
  judge.valid_now = "Values";
  judge.verdict = Verdict::kCannotTell;
  EXPECT_EQ(deletion.DeleteProblem(values).refusal.reason, RefusalReason::kCannotTell);
  EXPECT_TRUE(Value("Values", "same"));
  // Gone since its backup: not this deletion's, and gone from the tree.
  files.on_write = [&] { registry.DeleteKey(kHkeyCurrentUser, "Values"); };
  const DeletionOutcome gone = deletion.DeleteProblem(values);
  EXPECT_FALSE(gone.deleted);
  EXPECT_EQ(gone.refusal.reason, RefusalReason::kGoneBefore);
  EXPECT_FALSE(tree.Top()->FindChild("HKEY_CURRENT_USER")->FindChild("Values"));
}

TEST_F(DeletionRecheckTest, ARetryAfterARefusalBacksUpTheDataAsItIsThen) {
  ResultNode& values = Problem("Values", 0, {"changed"});
  files.on_write = [&] { Key("Values")->SetValue("changed", kNew); };
  EXPECT_EQ(deletion.DeleteProblem(values).refusal.reason, RefusalReason::kChanged);
  const std::string first = journal.FileName();
  const std::optional<std::string> first_bytes = files.ReadFile(first);
  EXPECT_TRUE(deletion.DeleteProblem(values).deleted);
  EXPECT_NE(journal.FileName(), first) << "a file of its own";
  EXPECT_EQ(files.ReadFile(first), first_bytes);
  EXPECT_FALSE(Value("Values", "changed"));
  EXPECT_EQ(Restored("Values", "changed"), kNew) << "the retry's copy";

  // The same for a key.
  ResultNode& key = Problem("Keys\\Added", 1);
  files.on_write = [&] { Key("Keys\\Added")->SetValue("v", kNew); };
  EXPECT_EQ(deletion.DeleteProblem(key).refusal.reason, RefusalReason::kChanged);
  EXPECT_TRUE(deletion.DeleteProblem(key).deleted);
  EXPECT_EQ(Restored("Keys\\Added", "v"), kNew);
}

TEST_F(DeletionRecheckTest, AKeyWithAClassIsNotDeletedNorOneThatGotAClassSinceItsBackup) {
  registry.SetKeyClass(kHkeyCurrentUser, "Keys\\Same\\Deep", "Shell");
  ResultNode& classed = Problem("Keys\\Same", 1);
  EXPECT_EQ(deletion.DeleteProblem(classed).refusal.reason, RefusalReason::kBackup)
      << "no registry file carries a class";
  EXPECT_TRUE(registry.OpenRead(kHkeyCurrentUser, "Keys\\Same\\Deep"));

  ResultNode& later = Problem("Keys\\Added", 1);
  files.on_write = [&] { registry.SetKeyClass(kHkeyCurrentUser, "Keys\\Added", "Late"); };
  EXPECT_EQ(deletion.DeleteProblem(later).refusal.reason, RefusalReason::kChanged);
  EXPECT_TRUE(registry.OpenRead(kHkeyCurrentUser, "Keys\\Added"));
}

TEST_F(DeletionRecheckTest, OfTwoJournalsGivenOneNameTheSecondDeletesNothing) {
  TBuck first{tree, registry, files, clock, mail};
  TBuck second{tree, registry, files, clock, mail};
  first.BeginBackupFile("same.reg");
  second.BeginBackupFile("same.reg");
  ASSERT_TRUE(first.BackupKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", "Keys\\Added"));
  first.Flush();
  ProblemDeletion late{tree, registry, second};
  Problem("Keys\\Same", 1);
  EXPECT_THROW(late.DeleteAll([] {}), FileCreateError);
  EXPECT_TRUE(registry.OpenRead(kHkeyCurrentUser, "Keys\\Same"));
  EXPECT_NE(files.ReadFile("same.reg")->find("Keys\\Added]"), std::string::npos) << "the first backup stays";
  EXPECT_EQ(files.ReadFile("same.reg")->find("Keys\\Same]"), std::string::npos);

  // A name of the journal's own making gives way to the next free one.
  TBuck own{tree, registry, files, clock, mail};
  own.BeginBackupFile();
  const std::string taken = own.FileName();
  ASSERT_TRUE(files.WriteFileNew(taken, "someone else's"));
  ASSERT_TRUE(own.BackupKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", "Keys\\Same"));
  own.Flush();
  EXPECT_NE(own.FileName(), taken);
  EXPECT_EQ(files.ReadFile(taken), "someone else's");
}

TEST_F(DeletionRecheckTest, EveryBackupIsSealedWithItsCounts) {
  Problem("Keys\\Same", 1);
  Problem("Values", 0, {"same", "changed"});
  deletion.DeleteAll([] {});
  const std::vector<std::string> lines = *RegFileLines(*files.ReadFile(journal.FileName()));
  EXPECT_EQ(CheckFileSeal(lines).state, FileSealState::kIntact);
  EXPECT_EQ(lines[lines.size() - 2], FileSealEndLine({3, 4}));
}

}  // namespace
