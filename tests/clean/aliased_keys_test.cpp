// One stale entry that two rules reach by two names of one key, on a
// registry that answers as 64-bit Windows does (the merged classes root, two
// views and the keys Windows shows under two names): one problem, one block
// in the backup, one deletion, and the backup gives every name back exactly
// as it was stored.
#include <gtest/gtest.h>

#include "clean/scan_session.h"
#include "platform/fixed_clock.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"
#include "platform/queued_ui_thread.h"
#include "platform/root_keys.h"
#include "regtext/regedit4_reader.h"
#include "scan/key_paths.h"
#include "support/no_mail.h"
#include "support/reg_file_headers.h"
#include "support/registry_dump.h"
#include "support/tree_filler.h"

namespace {

using Strings = std::vector<std::string>;

constexpr const char* kSid = "S-1-5-21-7-7-7-1001";
constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct AliasedEntry {
  std::string name;
  std::string planted;            // REGEDIT4 key blocks
  std::string rules;              // PATHS1 lines, the name shown first
  std::string problem;            // "path [values]" as reported
  Strings headers;                // of the backup, in order
};

void PrintTo(const AliasedEntry& entry, std::ostream* out) { *out << entry.name; }

std::string Server(const std::string& root_and_classes) {
  return root_and_classes + "\\CLSID\\*\\InprocServer32=Servers,2,FILEDEF_\n";
}

std::string RunRule(const std::string& key) { return key + "=Run,0,LD_\n"; }

const AliasedEntry kEntries[] = {
    {"LetterCase",
     "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{C1}\\InProcServer32]\n@=\"C:\\\\Gone\\\\c1.dll\"\n",
     Server("HKEY_LOCAL_MACHINE\\Software\\Classes") + "HKEY_LOCAL_MACHINE\\software\\CLASSES\\clsid\\*\\INPROCSERVER32=S,2,FILEDEF_\n",
     "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{C1}\\InProcServer32 [(Default)]",
     {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{C1}]",
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{C1}\\InProcServer32]"}},
    {"ClassesRootAndMachineClasses",
     "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{C2}\\InprocServer32]\n@=\"C:\\\\Gone\\\\c2.dll\"\n",
     Server("HKEY_CLASSES_ROOT") + Server("HKEY_LOCAL_MACHINE\\Software\\Classes"),
     "HKEY_CLASSES_ROOT\\CLSID\\{C2}\\InprocServer32 [(Default)]",
     {"[HKEY_CLASSES_ROOT\\CLSID\\{C2}]", "[HKEY_CLASSES_ROOT\\CLSID\\{C2}\\InprocServer32]"}},
    {"ClassesRootAndUserClasses",
     "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{Machine}]\n"
     "[HKEY_USERS\\S-1-5-21-7-7-7-1001_Classes\\CLSID\\{C3}\\InprocServer32]\n@=\"C:\\\\Gone\\\\c3.dll\"\n",
     Server("HKEY_CLASSES_ROOT") + Server("HKEY_CURRENT_USER\\Software\\Classes") +
         Server("HKEY_USERS\\S-1-5-21-7-7-7-1001_Classes"),
     "HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{C3}\\InprocServer32 [(Default)]",
     {"[HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{C3}]",
      "[HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{C3}\\InprocServer32]"}},
    {"CurrentUserAndItsSid",
     "[HKEY_USERS\\S-1-5-21-7-7-7-1001\\" + std::string(kRun) + "]\n\"Gone\"=\"C:\\\\Gone\\\\g.exe\"\n",
     RunRule("HKEY_CURRENT_USER\\" + std::string(kRun)) + RunRule("HKEY_USERS\\*\\" + std::string(kRun)),
     "HKEY_CURRENT_USER\\" + std::string(kRun) + " [Gone]", {"[HKEY_CURRENT_USER\\" + std::string(kRun) + "]"}},
    {"DefaultUserAndLocalSystem",
     "[HKEY_USERS\\.DEFAULT\\" + std::string(kRun) + "]\n\"Gone\"=\"C:\\\\Gone\\\\g.exe\"\n",
     RunRule("HKEY_USERS\\.DEFAULT\\" + std::string(kRun)) + RunRule("HKEY_USERS\\S-1-5-18\\" + std::string(kRun)),
     "HKEY_USERS\\.DEFAULT\\" + std::string(kRun) + " [Gone]", {"[HKEY_USERS\\.DEFAULT\\" + std::string(kRun) + "]"}},
    {"ThirtyTwoBitView",
     "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Wow6432Node\\CLSID\\{C6}\\InprocServer32]\n@=\"C:\\\\Gone\\\\c6.dll\"\n",
     Server("HKEY_CLASSES_ROOT") + Server("HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\Classes"),
     "HKEY_CLASSES_ROOT\\Wow6432Node\\CLSID\\{C6}\\InprocServer32 [(Default)]",
     {"[HKEY_CLASSES_ROOT\\Wow6432Node\\CLSID\\{C6}]", "[HKEY_CLASSES_ROOT\\Wow6432Node\\CLSID\\{C6}\\InprocServer32]"}},
    {"CurrentConfig",
     "[HKEY_CURRENT_CONFIG\\Software\\Tarnel]\n\"Gone\"=\"C:\\\\Gone\\\\g.exe\"\n",
     RunRule("HKEY_CURRENT_CONFIG\\Software\\Tarnel") +
         RunRule("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Tarnel") +
         RunRule("HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet001\\Hardware Profiles\\0001\\Software\\Tarnel"),
     "HKEY_CURRENT_CONFIG\\Software\\Tarnel [Gone]", {"[HKEY_CURRENT_CONFIG\\Software\\Tarnel]"}},
    {"ValueNameLetterCase",
     "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Vendor.Gone]\n\"CLASSID\"=\"{GONE}\"\n\"Other\"=\"kept\"\n",
     "HKEY_CLASSES_ROOT\\*=ProgIDs,0,CLSID_,ClassID\nHKEY_LOCAL_MACHINE\\Software\\Classes\\*=ProgIDs,0,CLSID_,classid\n",
     "HKEY_CLASSES_ROOT\\Vendor.Gone [CLASSID]", {"[HKEY_CLASSES_ROOT\\Vendor.Gone]"}},
};

class AliasedKeysTest : public testing::Test {
 protected:
  AliasedKeysTest() {
    registry.MergeClassesRoot();
    registry.SetTwoViews(true);
    registry.AnswerAliasesAsWindows(kSid);
  }
  RegistryDump Dump() {
    return DumpRegistry(registry, {kHkeyClassesRoot, kHkeyCurrentUser, kHkeyLocalMachine, kHkeyUsers,
                                   kHkeyCurrentConfig});
  }
  Strings Scan() {
    TreeFiller view(session.Tree());
    session.Start(view);
    session.WaitForScan();
    ui.Drain();
    Strings problems;
    ForEachProblem(*session.Tree().Top(), [&problems](const ResultNode& node) {
      std::string line = NodeFullPath(node) + " [";
      for (const std::string& name : node.Data()->FValueNames) line += (line.back() == '[' ? "" : "|") + name;
      problems.push_back(line + "]");
    });
    return problems;
  }

  MemoryRegistry registry;
  MemoryFileSystem files;
  FixedClock clock{LocalTime{2026, 12, 6, 21, 5, 9}};
  NoMail mail;
  QueuedUiThread ui;
  ScanSession session{ScanSessionServices{registry, files, clock, mail, ui}};
};

class EachPairOfNamesTest : public AliasedKeysTest, public testing::WithParamInterface<AliasedEntry> {};

TEST_P(EachPairOfNamesTest, OneProblemOneBackupBlockOneDeletionAndAnExactRestore) {
  const AliasedEntry& entry = GetParam();
  ImportRegText(registry, "REGEDIT4\n\n" + entry.planted);
  files.AddFile(files.ExeFolder() + "Knowbase.ini", "[PATHS1]\n" + entry.rules);
  const RegistryDump before = Dump();

  EXPECT_EQ(Scan(), Strings{entry.problem});
  const DeletionSummary summary = session.Deletion().DeleteAll([] {});
  EXPECT_EQ(summary.deleted.size(), 1u);
  EXPECT_TRUE(summary.refused.empty()) << RefusalText(summary.refused.front().refusal);
  EXPECT_NE(Dump(), before);

  const std::optional<std::string> backup = files.ReadFile(session.Journal().FileName());
  ASSERT_TRUE(backup.has_value());
  EXPECT_EQ(RegFileHeaders(*backup), entry.headers) << *backup;
  ImportRegText(registry, *backup);
  EXPECT_EQ(Dump(), before) << *backup;
}

INSTANTIATE_TEST_SUITE_P(Windows, EachPairOfNamesTest, testing::ValuesIn(kEntries),
                         [](const testing::TestParamInfo<AliasedEntry>& info) { return info.param.name; });

// One rule finds a value of the key, another the whole key by its other
// name: right before the deletion each judges it again there, and the key
// problem still stands.
TEST_F(AliasedKeysTest, EachRuleJudgesTheKeyAgainByTheNameItReachedItBy) {
  ImportRegText(registry, "REGEDIT4\n\n[HKEY_USERS\\S-1-5-21-7-7-7-1001\\Software\\Apps\\One]\n"
                          "@=\"C:\\\\Gone\\\\one.exe\"\n\"Help\"=\"C:\\\\Gone\\\\one.txt\"\n");
  files.AddFile(files.ExeFolder() + "Knowbase.ini",
                "[PATHS1]\nHKEY_CURRENT_USER\\Software\\Apps\\*=Help,0,FILE_,help\n"
                "HKEY_USERS\\S-1-5-21-7-7-7-1001\\Software\\Apps\\*=Apps,1,FILEDEF_\n");
  EXPECT_EQ(Scan(), Strings{"HKEY_CURRENT_USER\\Software\\Apps\\One [Help|(Default)]"});
  const DeletionSummary summary = session.Deletion().DeleteAll([] {});
  EXPECT_EQ(summary.deleted.size(), 1u);
  EXPECT_TRUE(summary.refused.empty()) << RefusalText(summary.refused.front().refusal);
  EXPECT_EQ(registry.OpenRead(kHkeyUsers, "S-1-5-21-7-7-7-1001\\Software\\Apps\\One"), nullptr);
}

}  // namespace
