#include "regtext/Buck.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "platform/file_errors.h"
#include "platform/fixed_clock.h"
#include "platform/memory_registry.h"
#include "regtext/file_seal.h"
#include "regtext/regedit4_reader.h"
#include "platform/root_keys.h"
#include "platform/memory_files.h"
#include "support/reg_bytes.h"
#include "support/hostile_values.h"
#include "support/windows_1252.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A file as the journal writes it: header, opening line, the body, the end line.
std::string Sealed(const std::string& body) {
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = body.find("\r\n", at)) != std::string::npos; at = end + 2)
    lines.push_back(body.substr(at, end - at));
  return "REGEDIT4\r\n" + FileSealOpeningLine() + "\r\n\r\n" + body + FileSealEndLine(CountRegistryLines(lines)) +
         "\r\n\r\n";
}
std::string Sealed(const RegDocument& document) {
  return RegDocumentText(document) + FileSealEndLine(CountRegistryLines(document)) + "\r\n\r\n";
}


// Hides chosen values and subkeys from reading while still listing them, as
// the real registry does for names the ANSI functions cannot address.
class PartlyUnreadableRegistry : public Registry {
 public:
  explicit PartlyUnreadableRegistry(Registry& inner) : inner_(inner) {}
  std::unique_ptr<RegKey> OpenRead(RootKey root, const std::string& path) override {
    if (unopenable.count(path)) return nullptr;
    std::unique_ptr<RegKey> key = inner_.OpenRead(root, path);
    if (!key) return nullptr;
    return std::make_unique<Key>(std::move(key), *this, path);
  }
  std::unique_ptr<RegKey> OpenWrite(RootKey root, const std::string& path) override {
    return inner_.OpenWrite(root, path);
  }
  bool DeleteKey(RootKey root, const std::string& path) override {
    return inner_.DeleteKey(root, path);
  }
  bool DeleteLeafKey(RootKey root, const std::string& path) override { return inner_.DeleteLeafKey(root, path); }

  std::set<std::string> unopenable;    // key paths
  std::set<std::string> unreadable;    // value names
  // Names the program's code page cannot hold, by key path.
  std::map<std::string, std::vector<std::string>> unreadable_subkeys, unreadable_values;

 private:
  class Key : public RegKey {
   public:
    Key(std::unique_ptr<RegKey> inner, PartlyUnreadableRegistry& owner, const std::string& path)
        : inner_(std::move(inner)), owner_(owner), path_(path) {}
    std::vector<std::string> SubkeyNames() override { return inner_->SubkeyNames(); }
    std::vector<std::string> ValueNames() override { return inner_->ValueNames(); }
    std::vector<std::string> UnreadableSubkeyNames() override { return owner_.unreadable_subkeys[path_]; }
    std::vector<std::string> UnreadableValueNames() override { return owner_.unreadable_values[path_]; }
    std::optional<RegValue> QueryValue(const std::string& name) override {
      if (owner_.unreadable.count(name)) return std::nullopt;
      return inner_->QueryValue(name);
    }
    bool SetValue(const std::string& name, const RegValue& value) override {
      return inner_->SetValue(name, value);
    }
    bool DeleteValue(const std::string& name) override { return inner_->DeleteValue(name); }

   private:
    std::unique_ptr<RegKey> inner_;
    PartlyUnreadableRegistry& owner_;
    std::string path_;
  };
  Registry& inner_;
};

class RecordingMail : public MailSender {
 public:
  explicit RecordingMail(MemoryFileSystem& files) : files_(files) {}
  MailResult SendFile(const std::string& path) override {
    sent.push_back(path);
    content_at_send = files_.ReadFile(path).value_or("<missing>");
    return result;
  }
  MailResult result = MailResult::kHandedOver;
  std::vector<std::string> sent;
  std::string content_at_send;

 private:
  MemoryFileSystem& files_;
};

constexpr LocalTime kStart{2026, 12, 6, 21, 5, 9};
constexpr const char* kStartName = "06_12_26;09-05-09 (PM).reg";
// Backups go to the folder current when the journal was made: C:\ here.
std::string InStartFolder(const std::string& name) { return "C:\\" + name; }

class BuckTest : public ::testing::Test {
 protected:
  void Set(const std::string& path, const std::string& name, const RegValue& value) {
    ASSERT_TRUE(memory.OpenWrite(kHkeyCurrentUser, path)->SetValue(name, value));
  }
  void SetSz(const std::string& path, const std::string& name, const std::string& text) {
    Set(path, name, {kRegSz, Sz(text)});
  }
  ResultNode& Problem(const std::string& path, std::unique_ptr<TErrorClass> record) {
    return *InsertProblemPath(tree, *tree.Top(), "HKEY_CURRENT_USER\\" + path, std::move(record));
  }
  std::string Read(const std::string& path) { return files.ReadFile(path).value_or("<missing>"); }
  bool NoFiles() const {
    return files.FileNamesIn(files.CurrentFolder()).empty() && files.FileNamesIn("C:\\TEMP").empty();
  }
  RegDocument Blocks() const {
    return RegDocument(buck.Lines().begin() + 3, buck.Lines().end());
  }

  MemoryRegistry memory;
  PartlyUnreadableRegistry registry{memory};
  ResultTree tree;
  MemoryFileSystem files;
  FixedClock clock{kStart};
  RecordingMail mail{files};
  TBuck buck{tree, registry, files, clock, mail};
};

TEST_F(BuckTest, FileNameFromTheStartTimeOnTheTwelveHourClock) {
  EXPECT_EQ(buck.FileName(), "");
  buck.BeginBackupFile();
  EXPECT_EQ(buck.FileName(), InStartFolder(kStartName));
  EXPECT_EQ(buck.Lines(), (RegDocument{"REGEDIT4", FileSealOpeningLine(), ""}));
  clock.Set({2001, 1, 2, 0, 30, 0});
  buck.BeginBackupFile();
  EXPECT_EQ(buck.FileName(), InStartFolder("02_01_01;12-30-00 (AM).reg"));
  clock.Set({2001, 1, 2, 12, 30, 0});
  buck.BeginBackupFile();
  EXPECT_EQ(buck.FileName(), InStartFolder("02_01_01;12-30-00 (PM).reg"));
  clock.Set({2001, 1, 2, 13, 30, 0});
  buck.BeginBackupFile();
  EXPECT_EQ(buck.FileName(), InStartFolder("02_01_01;01-30-00 (PM).reg"));
}

TEST_F(BuckTest, BackupsStayInTheFolderCurrentWhenTheJournalWasMade) {
  SetSz("K", "a", "1");
  files.SetCurrentFolder("C:\\Elsewhere");
  buck.BeginBackupFile();
  EXPECT_EQ(buck.FileName(), InStartFolder(kStartName));
  ASSERT_TRUE(buck.BackupKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", "K"));
  buck.Flush();
  EXPECT_EQ(Read(InStartFolder(kStartName)), Sealed(buck.Lines()));
  EXPECT_TRUE(files.FileNamesIn("C:\\Elsewhere").empty());
  buck.StartBackup();
  const std::string next = InStartFolder("06_12_26;09-05-09 (PM)_2.reg");
  EXPECT_EQ(buck.FileName(), next) << "each deletion a file of its own";
  files.SetLocked(next, true);
  SetSz("K\\New", "b", "2");
  ASSERT_TRUE(buck.BackupKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", "K\\New"));
  try {
    buck.Flush();
    FAIL() << "no error";
  } catch (const FileCreateError& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot create file " + next) << "the whole path";
  }
}

TEST_F(BuckTest, NothingBackedUpLeavesNoFile) {
  buck.Flush();
  buck.BeginBackupFile();
  buck.Flush();
  buck.BeginBackupFile();
  EXPECT_TRUE(NoFiles());
}

TEST_F(BuckTest, KeyTreeDepthFirstParentBeforeChildren) {
  SetSz("K", "a", "1");
  SetSz("K", "b", "2");
  SetSz("K\\S1", "v", "3");
  SetSz("K\\S2", "v", "4");
  memory.OpenWrite(kHkeyCurrentUser, "K\\S2\\Empty");
  buck.BeginBackupFile();
  EXPECT_TRUE(buck.BackupKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", "K"));
  EXPECT_EQ(Blocks(), (RegDocument{"[HKEY_CURRENT_USER\\K]", "\"a\"=\"1\"", "\"b\"=\"2\"", "",
                                   "[HKEY_CURRENT_USER\\K\\S1]", "\"v\"=\"3\"", "",
                                   "[HKEY_CURRENT_USER\\K\\S2]", "\"v\"=\"4\"", "",
                                   "[HKEY_CURRENT_USER\\K\\S2\\Empty]", ""}));
  buck.Flush();
  EXPECT_EQ(Read(kStartName), Sealed(buck.Lines()));
}

TEST_F(BuckTest, MissingKeyWritesNothingAndIsIncomplete) {
  buck.BeginBackupFile();
  EXPECT_FALSE(buck.BackupKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", "Gone"));
  EXPECT_EQ(buck.Lines().size(), 3u);
}

TEST_F(BuckTest, IncompleteWhenAValueOrSubkeyCannotBeRead) {
  SetSz("K", "good", "1");
  SetSz("K", "hidden", "2");
  SetSz("K\\Sub", "v", "3");
  registry.unreadable.insert("hidden");
  buck.BeginBackupFile();
  EXPECT_FALSE(buck.BackupKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", "K"));
  EXPECT_EQ(Blocks(), (RegDocument{"[HKEY_CURRENT_USER\\K]", "\"good\"=\"1\"", "",
                                   "[HKEY_CURRENT_USER\\K\\Sub]", "\"v\"=\"3\"", ""}));
  registry.unreadable.clear();
  registry.unopenable.insert("K\\Sub");
  EXPECT_FALSE(buck.BackupKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", "K"));
  registry.unopenable.clear();
  EXPECT_TRUE(buck.BackupKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", "K"));
}

TEST_F(BuckTest, TextThatOnlyGainsATerminatorCountsAsBackedUpAndIsNoted) {
  Set("K", "open", {kRegSz, {'a', 'b'}});
  Set("K", "", {kRegExpandSz, {'%', 'A', '%'}});
  buck.BeginBackupFile();
  EXPECT_TRUE(buck.BackupKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", "K"));
  EXPECT_EQ(buck.Notes().size(), 2u);
  EXPECT_NE(buck.Notes()[0].find("HKEY_CURRENT_USER\\K: the text of "), std::string::npos);
  Set("K", "multi", {kRegMultiSz, {'a', 0, 'b'}});
  EXPECT_FALSE(buck.BackupKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", "K")) << "a list does not read the same";
  buck.BeginBackupFile();
  EXPECT_TRUE(buck.Notes().empty());
}

TEST_F(BuckTest, IncompleteWhenANameCannotBeWrittenOnOneLine) {
  SetSz("K", "line\nbreak", "1");
  buck.BeginBackupFile();
  EXPECT_FALSE(buck.BackupKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", "K"));
  EXPECT_EQ(Blocks(), (RegDocument{"[HKEY_CURRENT_USER\\K]", ""}));
  SetSz("K\\Sub\r[HKEY_CURRENT_USER\\Injected]", "v", "1");
  memory.OpenWrite(kHkeyCurrentUser, "K")->DeleteValue("line\nbreak");
  EXPECT_FALSE(buck.BackupKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", "K"));
  EXPECT_EQ(Blocks(), (RegDocument{"[HKEY_CURRENT_USER\\K]", ""}));
}

TEST_F(BuckTest, FindOrAddKeyIgnoresCaseAndInsertsUnderTheHeader) {
  buck.BeginBackupFile();
  EXPECT_EQ(buck.FindOrAddKey("HKEY_CURRENT_USER\\K"), 4);
  EXPECT_EQ(buck.FindOrAddKey("HKEY_CURRENT_USER\\L"), 6);
  EXPECT_EQ(buck.FindOrAddKey("hkey_current_user\\k"), 4);
  EXPECT_EQ(Blocks(), (RegDocument{"[HKEY_CURRENT_USER\\K]", "", "[HKEY_CURRENT_USER\\L]", ""}));
}

TEST_F(BuckTest, BlocksAreFoundAgainAfterAnEarlierBlockGrew) {
  SetSz("K", "a", "1");
  SetSz("K", "c", "3");
  SetSz("L", "b", "2");
  ResultNode& k = Problem("K", std::make_unique<TErrorClass>("File not found", "a", 0));
  ResultNode& l = Problem("L", std::make_unique<TErrorClass>("File not found", "b", 0));
  buck.BeginBackupFile();
  EXPECT_TRUE(buck.BackupValuesOfNode(k, {"a"}));
  EXPECT_TRUE(buck.BackupValuesOfNode(l, {"b"}));
  EXPECT_TRUE(buck.BackupValuesOfNode(k, {"c"}));
  EXPECT_EQ(buck.FindOrAddKey("hkey_current_user\\l"), 8);
  EXPECT_EQ(buck.FindOrAddKey("HKEY_CURRENT_USER\\K"), 4);
  EXPECT_EQ(Blocks(), (RegDocument{"[HKEY_CURRENT_USER\\K]", "\"c\"=\"3\"", "\"a\"=\"1\"", "",
                                   "[HKEY_CURRENT_USER\\L]", "\"b\"=\"2\"", ""}));
}

// A value problem below a key problem (a ProgID and its CurVer): whichever
// comes first, each value is in the document once.
TEST_F(BuckTest, AValueBackedUpByTwoProblemsIsWrittenOnce) {
  SetSz("Orphan", "", "ProgID");
  SetSz("Orphan\\CurVer", "", "Orphan.2");
  ResultNode& key = Problem("Orphan\\CLSID", std::make_unique<TErrorClass>("ProgIDs of missing classes", 2));
  SetSz("Orphan\\CLSID", "", "{gone}");
  ResultNode& curver = Problem("Orphan\\CurVer", std::make_unique<TErrorClass>("ProgID current versions", "(Default)", 0));
  const RegDocument once{"[HKEY_CURRENT_USER\\Orphan]", "@=\"ProgID\"", "",
                         "[HKEY_CURRENT_USER\\Orphan\\CLSID]", "@=\"{gone}\"", "",
                         "[HKEY_CURRENT_USER\\Orphan\\CurVer]", "@=\"Orphan.2\"", ""};
  buck.BeginBackupFile();
  EXPECT_TRUE(buck.BackupProblem(key));
  EXPECT_TRUE(buck.BackupProblem(curver));
  EXPECT_EQ(Blocks(), once);
  buck.BeginBackupFile();
  EXPECT_TRUE(buck.BackupProblem(curver));
  EXPECT_TRUE(buck.BackupProblem(key));
  EXPECT_EQ(Blocks(), (RegDocument{"[HKEY_CURRENT_USER\\Orphan\\CurVer]", "@=\"Orphan.2\"", "",
                                   "[HKEY_CURRENT_USER\\Orphan]", "@=\"ProgID\"", "",
                                   "[HKEY_CURRENT_USER\\Orphan\\CLSID]", "@=\"{gone}\"", ""}));
  buck.SaveResults("r.reg");
  EXPECT_EQ(Read("r.reg"), Sealed(RegDocumentText(once)));
}

TEST_F(BuckTest, AValueWrittenOnceStillMakesALaterBackupIncompleteWhenItWouldNotMergeBack) {
  Set("K", "multi", {kRegMultiSz, {'a', 0, 'b'}});
  ResultNode& values = Problem("K", std::make_unique<TErrorClass>("File not found", "multi", 0));
  buck.BeginBackupFile();
  EXPECT_FALSE(buck.BackupValuesOfNode(values, {"multi"}));
  EXPECT_FALSE(buck.BackupKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", "K")) << "deleting K would lose it";
  EXPECT_EQ(buck.Lines().size(), 6u);
}

TEST_F(BuckTest, SaveResultsNamesTheKeysItCouldNotRead) {
  SetSz("A", "x", "1");
  SetSz("A\\Hidden", "y", "2");
  Problem("A", std::make_unique<TErrorClass>("File not found", 1));
  Problem("Gone", std::make_unique<TErrorClass>("File not found", "v", 0));
  registry.unopenable.insert("A\\Hidden");
  buck.SaveResults("r.reg");
  EXPECT_EQ(Read("r.reg"),
            Sealed("[HKEY_CURRENT_USER\\A]\r\n\"x\"=\"1\"\r\n\r\n"
            "[HKEY_CURRENT_USER\\Gone]\r\n\r\n"
            "; These keys could not be read; they are not in this file:\r\n"
            "; HKEY_CURRENT_USER\\A\\Hidden\r\n"
            "; HKEY_CURRENT_USER\\Gone\r\n\r\n"));
}

TEST_F(BuckTest, NamesTheCodePageCannotHoldLeaveTheBackupIncompleteAndAreNamedInTheResults) {
  SetSz("A", "x", "1");
  SetSz("A\\Sub", "y", "2");
  Problem("A", std::make_unique<TErrorClass>("File not found", 1));
  registry.unreadable_values["A"] = {"??"};
  registry.unreadable_subkeys["A\\Sub"] = {"T\re?t"};
  buck.BeginBackupFile();
  // Deleting the key would take them along, and nothing could bring them back.
  EXPECT_FALSE(buck.BackupKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", "A"));
  registry.unreadable_values.clear();
  EXPECT_FALSE(buck.BackupKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", "A"));
  registry.unreadable_values["A"] = {"??"};
  buck.SaveResults("r.reg");
  EXPECT_EQ(Read("r.reg"),
            Sealed("[HKEY_CURRENT_USER\\A]\r\n\"x\"=\"1\"\r\n\r\n"
            "[HKEY_CURRENT_USER\\A\\Sub]\r\n\"y\"=\"2\"\r\n\r\n"
            "; These keys and values have names this program cannot read ('?' for what it cannot show); "
            "they are not in this file:\r\n"
            "; HKEY_CURRENT_USER\\A: \"??\"\r\n"
            "; HKEY_CURRENT_USER\\A\\Sub\\T?e?t\r\n\r\n"));
  registry.unreadable_values.clear();
  registry.unreadable_subkeys.clear();
  EXPECT_TRUE(buck.BackupKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", "A"));
}

// What the scan met and could not read is named with the results, before
// what reading the problems' keys met; a line break cannot end the line.
TEST_F(BuckTest, TheNamesTheScanCouldNotReadAreNamedInTheResultsToo) {
  SetSz("A", "x", "1");
  Problem("A", std::make_unique<TErrorClass>("File not found", 1));
  registry.unreadable_values["A"] = {"??"};
  tree.NoteUnreadable("HKEY_CURRENT_USER\\Apps\\Long\nName");
  tree.NoteUnreadable("HKEY_CURRENT_USER\\Run: \"Long\"");
  buck.SaveResults("r.reg");
  EXPECT_EQ(Read("r.reg"),
            Sealed("[HKEY_CURRENT_USER\\A]\r\n\"x\"=\"1\"\r\n\r\n"
            "; These keys and values have names this program cannot read ('?' for what it cannot show); "
            "they are not in this file:\r\n"
            "; HKEY_CURRENT_USER\\Apps\\Long?Name\r\n"
            "; HKEY_CURRENT_USER\\Run: \"Long\"\r\n"
            "; HKEY_CURRENT_USER\\A: \"??\"\r\n\r\n"));
  // Saved again, each is named once.
  const std::string first = Read("r.reg");
  buck.SaveResults("r.reg");
  EXPECT_EQ(Read("r.reg"), first);
}

TEST_F(BuckTest, FilesGoToDiskInTheFormTheSystemCodePageReadsBack) {
  const Utf8CodePage utf8;
  const Windows1252 cp1252;
  const CodePages pages{utf8, cp1252};
  TBuck utf8_buck{tree, registry, files, clock, mail, pages};
  SetSz("Caf\xC3\xA9", "v", "\xE2\x82\xAC");
  ResultNode& node = Problem("Caf\xC3\xA9", std::make_unique<TErrorClass>("File not found", "v", 0));
  utf8_buck.BeginBackupFile();
  EXPECT_TRUE(utf8_buck.BackupProblem(node));
  utf8_buck.Flush();
  EXPECT_EQ(Read(kStartName), Sealed("[HKEY_CURRENT_USER\\Caf\xE9]\r\n\"v\"=\"\x80\"\r\n\r\n"));
  SetSz("Caf\xC3\xA9", "v", "\xD0\xA2");
  utf8_buck.SaveResults("r.reg");
  EXPECT_EQ(Read("r.reg").substr(0, 4), std::string("\xFF\xFEW\0", 4));
}

TEST_F(BuckTest, ValuesInRegistryOrderLaterCommandsAbove) {
  SetSz("Run", "", "default");
  SetSz("Run", "Foo", "f");
  SetSz("Run", "Bar", "b");
  SetSz("Run", "Baz", "z");
  ResultNode& node = Problem("Run", std::make_unique<TErrorClass>("File not found", "Foo", 0));
  buck.BeginBackupFile();
  EXPECT_TRUE(buck.BackupValuesOfNode(node, {"foo", "Missing"}));
  EXPECT_TRUE(buck.BackupValuesOfNode(node, {"Baz", "(default)", "Bar"}));
  EXPECT_EQ(Blocks(), (RegDocument{"[HKEY_CURRENT_USER\\Run]", "@=\"default\"", "\"Bar\"=\"b\"",
                                   "\"Baz\"=\"z\"", "\"Foo\"=\"f\"", ""}));
}

TEST_F(BuckTest, ValueBackupKeepsTheHeaderOfAKeyThatCannotBeOpened) {
  ResultNode& node = Problem("Gone", std::make_unique<TErrorClass>("File not found", "x", 0));
  buck.BeginBackupFile();
  EXPECT_FALSE(buck.BackupValuesOfNode(node, {"x"}));
  EXPECT_EQ(Blocks(), (RegDocument{"[HKEY_CURRENT_USER\\Gone]", ""}));
  EXPECT_FALSE(buck.BackupValuesOfNode(*node.Parent(), {"x"}));  // no record
}

TEST_F(BuckTest, KeyProblemBacksUpTheKeyLevelMinusOneUp) {
  SetSz("App\\Sub", "v", "1");
  SetSz("App", "w", "2");
  ResultNode& node = Problem("App\\Sub", std::make_unique<TErrorClass>("File not found", 2));
  buck.BeginBackupFile();
  EXPECT_TRUE(buck.BackupProblem(node));
  EXPECT_EQ(Blocks(), (RegDocument{"[HKEY_CURRENT_USER\\App]", "\"w\"=\"2\"", "",
                                   "[HKEY_CURRENT_USER\\App\\Sub]", "\"v\"=\"1\"", ""}));
}

TEST_F(BuckTest, WalkReachingARootKeyBacksUpNothing) {
  SetSz("App", "w", "2");
  ResultNode& node = Problem("App", std::make_unique<TErrorClass>("File not found", 2));
  ResultNode& root = *node.Parent();
  tree.SetData(root, std::make_unique<TErrorClass>("File not found", 1));
  buck.BeginBackupFile();
  EXPECT_FALSE(buck.BackupProblem(node));
  EXPECT_FALSE(buck.BackupProblem(root));
  EXPECT_FALSE(buck.BackupKeyOfNode(root));
  EXPECT_FALSE(buck.BackupKeyOfNode(*tree.Top()));
  EXPECT_EQ(buck.Lines().size(), 3u);
}

TEST_F(BuckTest, DistinctNamesNeverReplaceAnEarlierFile) {
  SetSz("K", "a", "1");
  buck.BeginBackupFile();
  ASSERT_TRUE(buck.BackupKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", "K"));
  buck.Flush();
  ASSERT_TRUE(files.FileExists(kStartName));
  buck.BeginBackupFile();  // same second
  EXPECT_EQ(buck.FileName(), InStartFolder("06_12_26;09-05-09 (PM)_2.reg"));

  files.AddFile("06_12_26;09-05-09 (PM)_3.reg", "not ours");
  buck.BeginBackupFile();
  EXPECT_EQ(buck.FileName(), InStartFolder("06_12_26;09-05-09 (PM)_4.reg"));

  // A file of the name that appears before the first flush is not ours either.
  files.AddFile("06_12_26;09-05-09 (PM)_4.reg", "someone else's");
  ASSERT_TRUE(buck.BackupKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", "K"));
  buck.Flush();
  EXPECT_EQ(Read("06_12_26;09-05-09 (PM)_4.reg"), "someone else's");
  EXPECT_EQ(buck.FileName(), InStartFolder("06_12_26;09-05-09 (PM)_5.reg"));
  const std::string written = Read(buck.FileName());
  EXPECT_EQ(written, Sealed(buck.Lines()));
  // Written once: a later flush writes nothing, the next deletion another file.
  SetSz("L", "b", "2");
  ASSERT_TRUE(buck.BackupKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", "L"));
  buck.Flush();
  EXPECT_EQ(Read(InStartFolder("06_12_26;09-05-09 (PM)_5.reg")), written);
  EXPECT_EQ(buck.NextFileName(), InStartFolder("06_12_26;09-05-09 (PM)_6.reg"));
  buck.StartBackup();
  EXPECT_EQ(buck.FileName(), InStartFolder("06_12_26;09-05-09 (PM)_6.reg"));
}

TEST_F(BuckTest, AFailedWriteLeavesEveryFileAsItWasAndWritesNothing) {
  SetSz("K", "a", "1");
  SetSz("L", "b", "2");
  buck.BeginBackupFile();
  ASSERT_TRUE(buck.BackupKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", "K"));
  buck.Flush();
  const std::string first = Read(kStartName);
  ASSERT_TRUE(buck.Written());
  EXPECT_EQ(buck.Written()->size, first.size());
  buck.StartBackup();
  EXPECT_FALSE(buck.Written());
  ASSERT_TRUE(buck.BackupKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", "L"));
  files.SetLocked(buck.FileName(), true);
  EXPECT_THROW(buck.Flush(), FileCreateError);
  EXPECT_FALSE(buck.Written());
  EXPECT_EQ(Read(kStartName), first);
  files.SetLocked(buck.FileName(), false);
  buck.Flush();
  EXPECT_EQ(Read(buck.FileName()), Sealed(buck.Lines()));
  EXPECT_EQ(buck.Lines().size(), 6u) << "only L";
}

TEST_F(BuckTest, SaveResultsLeavesTheJournalAlone) {
  SetSz("K", "a", "1");
  SetSz("Run", "Foo", "f");
  Problem("Run", std::make_unique<TErrorClass>("File not found", "Foo", 0));
  buck.BeginBackupFile();
  ASSERT_TRUE(buck.BackupKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", "K"));
  const RegDocument journal = buck.Lines();
  buck.SaveResults("results.reg");
  EXPECT_EQ(buck.Lines(), journal);
  EXPECT_EQ(buck.FileName(), InStartFolder(kStartName));
  EXPECT_FALSE(files.FileExists(kStartName)) << "a backup is written by its deletion only";
  EXPECT_EQ(Read("results.reg"),
            Sealed("[HKEY_CURRENT_USER\\Run]\r\n\"Foo\"=\"f\"\r\n\r\n"));
}

TEST_F(BuckTest, SaveResultsOfEveryProblemInTreeOrder) {
  SetSz("A", "x", "1");
  SetSz("A\\Deep", "y", "2");
  SetSz("B", "z", "3");
  Problem("B", std::make_unique<TErrorClass>("File not found", 1));
  // A's node comes first, with its child Deep, though its record is added last.
  Problem("A\\Deep", std::make_unique<TErrorClass>("File not found", "y", 0));
  Problem("A", std::make_unique<TErrorClass>("File not found", "x", 0));
  buck.SaveResults("r.reg");
  EXPECT_EQ(Read("r.reg"),
            Sealed("[HKEY_CURRENT_USER\\B]\r\n\"z\"=\"3\"\r\n\r\n"
            "[HKEY_CURRENT_USER\\A]\r\n\"x\"=\"1\"\r\n\r\n"
            "[HKEY_CURRENT_USER\\A\\Deep]\r\n\"y\"=\"2\"\r\n\r\n"));
}

TEST_F(BuckTest, SaveResultsWithoutProblemsWritesThreeLines) {
  buck.SaveResults("empty.reg");
  EXPECT_EQ(Read("empty.reg"), Sealed(""));
  files.SetLocked("empty.reg", true);
  EXPECT_THROW(buck.SaveResults("empty.reg"), FileCreateError);
  EXPECT_EQ(buck.Lines(), RegDocument{});
}

TEST_F(BuckTest, SendResultsOffersErrorsRegThenDeletesIt) {
  buck.SendResults();
  EXPECT_EQ(mail.sent, std::vector<std::string>{"C:\\TEMP\\errors.reg"});
  EXPECT_EQ(mail.content_at_send, Sealed(""));
  EXPECT_TRUE(NoFiles());
}

TEST_F(BuckTest, SendResultsMailsNothingWhenTheFileCannotBeWritten) {
  files.SetLocked(files.TempFolder() + "errors.reg", true);
  EXPECT_THROW(buck.SendResults(), FileCreateError);
  EXPECT_TRUE(mail.sent.empty());
}

// Every type, with names and data that need escaping or a hex form, backed
// up and merged into an empty registry, comes back byte for byte.
TEST_F(BuckTest, BackupImportsBackExactly) {
  const std::vector<NamedRegValue> values = HostileValues();
  for (const auto& [name, value] : values) Set("Hostile", name, value);
  for (const std::string& name : HostileKeyNames()) Set("Hostile\\" + name, "", {kRegDword, {1, 0, 0, 0}});
  buck.BeginBackupFile();
  ASSERT_TRUE(buck.BackupKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", "Hostile"));

  MemoryRegistry restored;
  ImportRegText(restored, RegDocumentText(buck.Lines()));
  const std::unique_ptr<RegKey> key = restored.OpenRead(kHkeyCurrentUser, "Hostile");
  ASSERT_TRUE(key);
  EXPECT_EQ(key->ValueNames().size(), values.size());
  for (const auto& [name, value] : values) EXPECT_EQ(key->QueryValue(name), value) << name;
  for (const std::string& name : HostileKeyNames()) {
    const std::unique_ptr<RegKey> sub = restored.OpenRead(kHkeyCurrentUser, "Hostile\\" + name);
    ASSERT_TRUE(sub) << name;
    EXPECT_EQ(sub->QueryValue(""), (RegValue{kRegDword, {1, 0, 0, 0}})) << name;
  }
}

// Written as it is; complete unless a merge would change what readers see.
TEST_F(BuckTest, UnterminatedTextIsWrittenAsItIsAndOnlyAListStaysIncomplete) {
  for (const auto& [name, value] : UnterminatedTextValues()) {
    Set("Open", name, value);
    buck.BeginBackupFile();
    EXPECT_EQ(buck.BackupKeyTree(kHkeyCurrentUser, "HKEY_CURRENT_USER", "Open"), value.type != kRegMultiSz) << name;
    RegDocument block{"[HKEY_CURRENT_USER\\Open]", ""};
    WriteValue(block, 1, name, value);
    EXPECT_EQ(Blocks(), block);
    ASSERT_TRUE(memory.DeleteKey(kHkeyCurrentUser, "Open"));
  }
}

}  // namespace
