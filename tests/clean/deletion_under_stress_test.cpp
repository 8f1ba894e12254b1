// A deletion as a busy machine meets it, over the in-memory registry: a
// writer that adds a subkey or a value at every step of a three-level
// branch, a run stopped dead after each of its registry writes, and two runs
// at once. Whatever happens, the backup file written before the first
// deletion gives back exactly what went and overwrites nothing.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "clean/deletion.h"
#include "clean/restore.h"
#include "platform/fixed_clock.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"
#include "platform/root_keys.h"
#include "regtext/regedit4_reader.h"
#include "support/no_mail.h"

namespace {

// Tells a hook of every write before it happens: "open PATH" (opened for
// writing), "value PATH NAME", "leaf PATH", "tree PATH".
class HookedRegistry : public Registry {
 public:
  explicit HookedRegistry(Registry& inner) : inner_(inner) {}
  std::unique_ptr<RegKey> OpenRead(RootKey root, const std::string& path) override {
    return inner_.OpenRead(root, path);
  }
  std::unique_ptr<RegKey> OpenWrite(RootKey root, const std::string& path) override {
    Before("open " + path);
    std::unique_ptr<RegKey> key = inner_.OpenWrite(root, path);
    return key ? std::make_unique<Key>(std::move(key), *this, path) : nullptr;
  }
  std::unique_ptr<RegKey> OpenExisting(RootKey root, const std::string& path) override {
    Before("open " + path);
    std::unique_ptr<RegKey> key = inner_.OpenExisting(root, path);
    return key ? std::make_unique<Key>(std::move(key), *this, path) : nullptr;
  }
  bool DeleteKey(RootKey root, const std::string& path) override {
    Before("tree " + path);
    return inner_.DeleteKey(root, path);
  }
  bool DeleteLeafKey(RootKey root, const std::string& path) override {
    Before("leaf " + path);
    return inner_.DeleteLeafKey(root, path);
  }
  void Before(const std::string& step) {
    // A copy: a hook may take itself away.
    if (const std::function<void(const std::string&)> now = hook) now(step);
  }
  std::function<void(const std::string&)> hook;

 private:
  class Key : public RegKey {
   public:
    Key(std::unique_ptr<RegKey> inner, HookedRegistry& registry, std::string path)
        : inner_(std::move(inner)), registry_(registry), path_(std::move(path)) {}
    std::vector<std::string> SubkeyNames() override { return inner_->SubkeyNames(); }
    std::vector<std::string> ValueNames() override { return inner_->ValueNames(); }
    std::optional<RegValue> QueryValue(const std::string& name) override { return inner_->QueryValue(name); }
    std::optional<std::string> ClassName() override { return inner_->ClassName(); }
    bool SetValue(const std::string& name, const RegValue& value) override { return inner_->SetValue(name, value); }
    bool DeleteValue(const std::string& name) override {
      registry_.Before("value " + path_ + " " + name);
      return inner_->DeleteValue(name);
    }

   private:
    std::unique_ptr<RegKey> inner_;
    HookedRegistry& registry_;
    std::string path_;
  };
  Registry& inner_;
};

struct Killed {};

const RegValue kNew{kRegSz, {'n', 'e', 'w', 0}};

// Every key and value below HKEY_CURRENT_USER\Stale, one line each.
std::string Dump(Registry& registry, const std::string& path = "Stale") {
  const std::unique_ptr<RegKey> key = registry.OpenRead(kHkeyCurrentUser, path);
  if (!key) return "";
  std::string text = "[" + path + "]\n";
  for (const std::string& name : key->ValueNames()) {
    const RegValue value = *key->QueryValue(name);
    text += name + "=" + std::to_string(value.type) + ":" + std::string(value.data.begin(), value.data.end()) + "\n";
  }
  for (const std::string& subkey : key->SubkeyNames()) text += Dump(registry, path + "\\" + subkey);
  return text;
}

class DeletionUnderStressTest : public testing::Test {
 protected:
  void SetUp() override {
    // Two key problems, three levels deep, and a value problem beside them.
    ImportRegText(memory,
                  "REGEDIT4\r\n"
                  "[HKEY_CURRENT_USER\\Stale\\K]\r\n\"k\"=\"1\"\r\n@=\"top\"\r\n"
                  "[HKEY_CURRENT_USER\\Stale\\K\\A]\r\n\"a\"=\"2\"\r\n"
                  "[HKEY_CURRENT_USER\\Stale\\K\\A\\B]\r\n\"b\"=dword:00000003\r\n"
                  "[HKEY_CURRENT_USER\\Stale\\K\\A2]\r\n\"c\"=\"4\"\r\n"
                  "[HKEY_CURRENT_USER\\Stale\\L]\r\n\"l\"=\"5\"\r\n"
                  "[HKEY_CURRENT_USER\\Stale\\Run]\r\n\"x\"=\"6\"\r\n\"y\"=\"7\"\r\n\"keep\"=\"8\"\r\n");
    before = Dump(memory);
    journal.BeginBackupFile();
    Problem("Stale\\K", 1);
    Problem("Stale\\L", 1);
    Problem("Stale\\Run", 0, {"x", "y"});
  }
  void Problem(const std::string& path, int level, std::vector<std::string> values = {}) {
    auto record = std::make_unique<TErrorClass>("File not found", level);
    for (const std::string& name : values) record->AddValueName(name);
    InsertProblemPath(tree, *tree.Top(), "HKEY_CURRENT_USER\\" + path, std::move(record));
  }
  // What the backup file gives back to the registry as it is now.
  RestoreReport Restore() {
    return ApplyRestore(memory, *files.ReadFile(journal.Written()->file), SameCodePages());
  }

  MemoryRegistry memory;
  HookedRegistry registry{memory};
  MemoryFileSystem files;
  FixedClock clock{{2026, 12, 8, 9, 0, 0}};
  NoMail mail;
  ResultTree tree;
  TBuck journal{tree, registry, files, clock, mail};
  ProblemDeletion deletion{tree, registry, journal};
  std::string before;
};

// At each key of the branch, right after the branch was compared with its
// backup and before that key's own turn, a writer adds a subkey or a value
// to it: that key stays with what was written, and so does everything above
// it; what went below it comes back from the backup, and the new entry is
// never overwritten or lost.
TEST_F(DeletionUnderStressTest, AWriterAtAnyLevelLosesNothingAndTheRestoreGivesBackWhatWent) {
  for (const std::string level : {"Stale\\K", "Stale\\K\\A", "Stale\\K\\A\\B"}) {
    for (const bool subkey : {true, false}) {
      SCOPED_TRACE(level + (subkey ? ": a subkey" : ": a value"));
      memory.DeleteKey(kHkeyCurrentUser, "Stale");
      tree.Clear();
      SetUp();
      registry.hook = [&](const std::string& step) {
        if (step != "open " + level) return;
        registry.hook = nullptr;
        if (subkey) memory.OpenWrite(kHkeyCurrentUser, level + "\\New")->SetValue("n", kNew);
        else memory.OpenWrite(kHkeyCurrentUser, level)->SetValue("new", kNew);
      };
      const DeletionSummary summary = deletion.DeleteAll([] {});
      ASSERT_EQ(summary.deleted.size(), 2u) << "L and Run";
      ASSERT_EQ(summary.partly.size(), 1u) << "A2 went before";
      EXPECT_EQ(summary.partly[0].key, "HKEY_CURRENT_USER\\Stale\\K");
      EXPECT_FALSE(memory.OpenRead(kHkeyCurrentUser, "Stale\\K\\A2"));
      for (std::string up = level; up != "Stale"; up = up.substr(0, up.rfind('\\')))
        EXPECT_TRUE(memory.OpenRead(kHkeyCurrentUser, up)) << up << " stays";
      EXPECT_EQ(memory.OpenRead(kHkeyCurrentUser, subkey ? level + "\\New" : level)->QueryValue(subkey ? "n" : "new"),
                kNew);
      const RestoreReport restored = Restore();
      EXPECT_TRUE(restored.conflicts.empty());
      memory.DeleteKey(kHkeyCurrentUser, level + "\\New");
      if (!subkey) memory.OpenWrite(kHkeyCurrentUser, level)->DeleteValue("new");
      EXPECT_EQ(Dump(memory), before) << "everything back, exactly";
    }
  }
}

// A subkey appears after a key's values went and before the key itself:
// the key stays, and its values come back from the backup.
TEST_F(DeletionUnderStressTest, ASubkeyAddedBeforeTheKeyItselfGoesKeepsTheKey) {
  registry.hook = [&](const std::string& step) {
    if (step == "leaf Stale\\K\\A") memory.OpenWrite(kHkeyCurrentUser, "Stale\\K\\A\\Late");
  };
  const DeletionSummary summary = deletion.DeleteAll([] {});
  ASSERT_EQ(summary.partly.size(), 1u);
  EXPECT_TRUE(memory.OpenRead(kHkeyCurrentUser, "Stale\\K\\A\\Late"));
  EXPECT_FALSE(memory.OpenRead(kHkeyCurrentUser, "Stale\\K\\A")->QueryValue("a")) << "its value went";
  EXPECT_FALSE(memory.OpenRead(kHkeyCurrentUser, "Stale\\K\\A2")) << "a sibling goes all the same";
  Restore();
  memory.DeleteKey(kHkeyCurrentUser, "Stale\\K\\A\\Late");
  EXPECT_EQ(Dump(memory), before);
}

// Stopped dead after each registry write in turn, as by a kill: the file
// written before the first is whole, and restoring it after a value changed
// since gives back everything else and keeps that value.
TEST_F(DeletionUnderStressTest, StoppedAfterAnyStepTheBackupRestoresAllAndOverwritesNothing) {
  int steps = 0;
  registry.hook = [&](const std::string&) { ++steps; };
  deletion.DeleteAll([] {});
  ASSERT_GT(steps, 10);
  for (int stop = 0; stop <= steps; ++stop) {
    SCOPED_TRACE("stopped after step " + std::to_string(stop));
    memory.DeleteKey(kHkeyCurrentUser, "Stale");
    tree.Clear();
    SetUp();
    int step = 0;
    registry.hook = [&](const std::string&) {
      if (step++ == stop) throw Killed{};
    };
    try {
      deletion.DeleteAll([] {});
    } catch (const Killed&) {
    }
    registry.hook = nullptr;
    ASSERT_TRUE(journal.Written());
    memory.OpenWrite(kHkeyCurrentUser, "Stale\\Run")->SetValue("keep", kNew);  // changed since
    const RestoreReport restored = Restore();
    EXPECT_TRUE(restored.conflicts.empty()) << "keep was never backed up";
    memory.OpenWrite(kHkeyCurrentUser, "Stale\\Run")->SetValue("keep", {kRegSz, {'8', 0}});
    EXPECT_EQ(Dump(memory), before);
  }
}

// A second run starts on the same problems after the first has backed them
// up: each problem is deleted by one of them; the other finds it gone.
TEST_F(DeletionUnderStressTest, OfTwoRunsAtOnceEachDeletionIsClaimedOnce) {
  ResultTree other_tree;
  for (const auto& [path, level] : std::map<std::string, int>{{"Stale\\K", 1}, {"Stale\\L", 1}}) {
    InsertProblemPath(other_tree, *other_tree.Top(), "HKEY_CURRENT_USER\\" + path,
                      std::make_unique<TErrorClass>("File not found", level));
  }
  auto run = std::make_unique<TErrorClass>("File not found", 0);
  run->AddValueName("x");
  run->AddValueName("y");
  InsertProblemPath(other_tree, *other_tree.Top(), "HKEY_CURRENT_USER\\Stale\\Run", std::move(run));
  TBuck other_journal{other_tree, memory, files, clock, mail};
  other_journal.BeginBackupFile();
  ProblemDeletion other{other_tree, memory, other_journal};
  DeletionSummary second;
  // The second run goes right after the first wrote its backup: it deletes
  // the branch of K halfway through the first run's deletion of it.
  registry.hook = [&](const std::string& step) {
    if (step != "leaf Stale\\K\\A\\B") return;
    registry.hook = nullptr;
    second = other.DeleteAll([] {});
  };
  const DeletionSummary first = deletion.DeleteAll([] {});
  EXPECT_EQ(first.deleted.size() + second.deleted.size(), 3u) << "each problem deleted once";
  EXPECT_EQ(first.gone_before.size() + second.gone_before.size() + first.partly.size() + second.partly.size() +
                second.refused.size(),
            3u);
  EXPECT_EQ(Dump(memory), "[Stale]\n[Stale\\Run]\nkeep=1:8" + std::string(1, '\0') + "\n");
  EXPECT_NE(journal.Written()->file, other_journal.Written()->file);
}

}  // namespace
