#include "cli/knowbase_lint.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "cli/headless_scan.h"
#include "platform/fixed_clock.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"
#include "regtext/regedit4_reader.h"
#include "support/host_file.h"
#include "support/no_mail.h"

namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;
using Strings = std::vector<std::string>;

// Each finding as "LINE severity: message".
Strings Lint(const std::string& text) {
  Strings lines;
  for (const LintFinding& finding : LintKnowledgeBase(text))
    lines.push_back(std::to_string(finding.line) +
                    (finding.severity == LintSeverity::kError ? " error: " : " warning: ") + finding.message);
  return lines;
}

// The findings of one entry, standing on line 2.
Strings LintOne(const std::string& entry) { return Lint("[PATHS1]\n" + entry + "\n"); }

TEST(KnowledgeBaseLint, TheShippedFileIsClean) {
  const std::string shipped = ReadHostFile(TARNEL_BUILT_KNOWBASE);
  ASSERT_NE(shipped.find("[PATHS1]"), std::string::npos);
  EXPECT_THAT(Lint(shipped), IsEmpty());
}

TEST(KnowledgeBaseLint, AFileWithoutRulesIsAnError) {
  EXPECT_THAT(Lint("[Other]\nHKEY_CURRENT_USER\\Run=Run,0,LD_\n"),
              ElementsAre("1 error: no section [PATHS1]: a scan with this file finds nothing"));
  EXPECT_THAT(Lint("; rules\n[paths1]\n;HKEY_CURRENT_USER\\Run=Run,0,LD_\nno equals sign\n"),
              ElementsAre(HasSubstr("2 error: the section [PATHS1] has no entries")));
}

TEST(KnowledgeBaseLint, ExclusionsThatKeepNothingOrRepeatAreFound) {
  const std::string rules =
      "[PATHS1]\n"
      "HKEY_CLASSES_ROOT\\CLSID\\*\\InprocServer32=Servers,2,FILEDEF_\n"
      "HKEY_CURRENT_USER\\Software\\Run=Run,0,LD_\n"
      "[EXCLUDE]\n";
  EXPECT_THAT(Lint(rules +
                   "HKEY_CLASSES_ROOT\\CLSID\\{1}=\n"                          // line 5: the key a level 2 deletes
                   "HKEY_CLASSES_ROOT\\CLSID\\*\\InprocServer32\\Sub=\n"      // 6: inside it
                   "HKEY_CURRENT_USER\\Software\\Run=Tool\n"                   // 7: a value the rule reports
                   "HKEY_CURRENT_USER\\Software\\run=tool\n"                   // 8: the same again
                   "HKEY_CURRENT_USER\\Software\\Run\\Sub=\n"                  // 9: values only: never deleted
                   "HKEY_CLASSES_ROOT\\CLSID=\n"                                 // 10: above what a deletion takes
                   "HKCU\\Software\\Run=\n"                                    // 11
                   "HKEY_CURRENT_USER\\=\n"                                      // 12
                   "HKEY_CURRENT_USER\\Software\\\\Run=\n"                     // 13
                   "[EXCLUDE]\nHKEY_CURRENT_USER\\Software\\Run=\n"),         // 14, 15
              ElementsAre(HasSubstr("8 warning: the exclusion of line 7 again"),
                          "9 warning: no rule of [PATHS1] reports this key or deletes it with a parent: the exclusion "
                          "keeps nothing",
                          HasSubstr("10 warning: no rule of [PATHS1] reports"),
                          "11 error: unknown root name \"HKCU\": the exclusion keeps nothing",
                          HasSubstr("12 error: an empty key pattern"), HasSubstr("13 error: an empty key pattern"),
                          "14 error: the section [EXCLUDE] again: only the first, at line 4, is read"));
}

TEST(KnowledgeBaseLint, EntriesTheScannerSkipsAreErrors) {
  EXPECT_THAT(LintOne("HKEY_CURRENT_USER\\Run=Run,0"), ElementsAre(HasSubstr("2 error: the value has fewer than two commas")));
  EXPECT_THAT(LintOne("HKEY_CURRENT_USER\\Run=Run"), ElementsAre(HasSubstr("fewer than two commas")));
  EXPECT_THAT(LintOne("HKEY_CURRENT_USER=Run,0,LD_"), ElementsAre(HasSubstr("2 error: the name has no backslash")));
  EXPECT_THAT(LintOne("HKCU\\Run=Run,0,LD_"), ElementsAre(HasSubstr("2 error: unknown root name \"HKCU\"")));
  EXPECT_THAT(LintOne("hkey_current_user\\Run=Run,0,LD_"), ElementsAre(HasSubstr("unknown root name")));
  EXPECT_THAT(LintOne("HKEY_CURRENT_USER\\Run=Run,0,LDD_"),
              ElementsAre("2 error: unknown check name \"LDD_\": the scanner skips the entry"));
  EXPECT_THAT(LintOne("HKEY_CURRENT_USER\\Run=Run,0,FILE_ ,Path"),
              ElementsAre(HasSubstr("2 error: the check name \"FILE_ \" has blanks around FILE_")));
  EXPECT_THAT(LintOne("HKEY_CURRENT_USER\\Run=\"Run,0, LD_\""), ElementsAre(HasSubstr("has blanks around LD_")));
}

TEST(KnowledgeBaseLint, AChecksNeedOfAParameterComesFromTheCheck) {
  EXPECT_THAT(LintOne("HKEY_CURRENT_USER\\Run=Run,0,FILE_"),
              ElementsAre(HasSubstr("2 error: FILE_ needs a parameter, the name of the value to look at")));
  EXPECT_THAT(LintOne("HKEY_CURRENT_USER\\Run=Run,0,clsid_,"), ElementsAre(HasSubstr("CLSID_ needs a parameter")));
  EXPECT_THAT(LintOne("HKEY_CURRENT_USER\\Run=Run,0,FILE_,Path"), IsEmpty());
  EXPECT_THAT(LintOne("HKEY_CURRENT_USER\\Run=Run,0,LN_"), IsEmpty());
  EXPECT_THAT(LintOne("HKEY_CURRENT_USER\\Help=Help,0,DN_"), IsEmpty()) << "the joint of DN_ may be empty";
}

TEST(KnowledgeBaseLint, ALevelThatReachesARootKeyIsAWarning) {
  EXPECT_THAT(LintOne("HKEY_CLASSES_ROOT\\*\\CLSID=ProgIDs,2,CLSID_D_"), IsEmpty());
  EXPECT_THAT(LintOne("HKEY_CLASSES_ROOT\\*\\CLSID=ProgIDs,3,CLSID_D_"),
              ElementsAre("2 warning: level 3 counts up from keys 2 below the root to the root key "
                          "HKEY_CLASSES_ROOT itself: no such problem can be deleted"));
  EXPECT_THAT(LintOne("HKEY_CURRENT_USER\\Software=X,$10,LD_"),
              ElementsAre(HasSubstr("level 16 counts up from keys 1 below the root to beyond the root key")));
  EXPECT_THAT(LintOne("HKEY_CURRENT_USER\\=Root,1,FILEDEF_"),
              ElementsAre(HasSubstr("level 1 counts up from keys 0 below the root to the root key")));
  // "**" matches two names: the key named "*" and each of its subkeys.
  EXPECT_THAT(LintOne("HKEY_CLASSES_ROOT\\**\\x=Star,3,FILEDEF_"), IsEmpty());
  EXPECT_THAT(LintOne("HKEY_CLASSES_ROOT\\**\\x=Star,4,FILEDEF_"), ElementsAre(HasSubstr("level 4")));
  EXPECT_THAT(LintOne("HKEY_CURRENT_USER\\a*\\b=Literal,2,FILEDEF_"), IsEmpty());
  EXPECT_THAT(LintOne("HKEY_CURRENT_USER\\Run=Values,-5,LD_"), IsEmpty());
}

TEST(KnowledgeBaseLint, ALevelTextThatReadsAsZeroByAccidentIsAWarning) {
  const std::pair<const char*, const char*> accidents[] = {
      {"x", "it is not a number"},           {"1 ", "it has blanks after the number"},
      {"2147483648", "it is out of the 32-bit range"}, {"$100000000", "it is out of the 32-bit range"},
      {"", "it is empty"},                   {"1.5", "it is not a number"},
  };
  for (const auto& [level, why] : accidents) {
    EXPECT_THAT(LintOne(std::string("HKEY_CURRENT_USER\\Run=Run,") + level + ",LD_,x"),
                ElementsAre("2 warning: the level \"" + std::string(level) + "\" reads as 0 (" + why +
                            "): problems keep the key and lose only their bad values"));
  }
  for (const char* zero : {"0", " 0", "-0", "$0", "0x0"})
    EXPECT_THAT(LintOne(std::string("HKEY_CURRENT_USER\\Run=Run,") + zero + ",LD_"), IsEmpty()) << zero;
}

TEST(KnowledgeBaseLint, ARepeatedNameSaysWhichLineWins) {
  EXPECT_THAT(Lint("[PATHS1]\n"
                   "HKEY_CURRENT_USER\\Run=Run,0,LD_\n"
                   "; the second one\n"
                   "HKEY_CURRENT_USER\\RUN=Run,0,LDD_\n"),
              ElementsAre("4 warning: the entry name of line 2 again: only that entry counts, its rule runs once "
                          "more here, and the value of this line is never read"));
  EXPECT_THAT(Lint("[PATHS1]\nHKEY_CURRENT_USER\\Run\nHKEY_CURRENT_USER\\Run=Run,0,LD_\n"),
              ElementsAre(HasSubstr("3 warning: line 2 has this name without \"=\": the scanner reads an empty "
                                    "value for this entry"),
                          HasSubstr("3 error: the value has fewer than two commas")));
}

TEST(KnowledgeBaseLint, AWildcardThatTakesTheClassTablesIsAWarning) {
  EXPECT_THAT(LintOne("HKEY_CLASSES_ROOT\\*=Every key,0,FILEDEF_"),
              ElementsAre("2 warning: the wildcard below HKEY_CLASSES_ROOT takes the class tables CLSID, "
                          "Interface and TypeLib as well: a wildcard leaves them out only where the pattern goes "
                          "on below it"));
  EXPECT_THAT(LintOne("HKEY_CURRENT_USER\\Software\\Classes\\*=x,0,FILEDEF_"),
              ElementsAre(HasSubstr("below HKEY_CURRENT_USER\\Software\\Classes takes the class tables")));
  EXPECT_THAT(LintOne("HKEY_CLASSES_ROOT\\Wow6432Node\\*=x,0,FILEDEF_"), ElementsAre(HasSubstr("class tables")));
  EXPECT_THAT(LintOne("HKEY_USERS\\*\\Software\\Classes\\*\\CLSID=x,0,CLSID_D_"),
              ElementsAre("2 warning: the wildcard below HKEY_USERS\\*\\Software\\Classes takes the class tables "
                          "CLSID, Interface and TypeLib as well: a wildcard leaves them out only at the first "
                          "wildcard level of a pattern"));
  EXPECT_THAT(LintOne("HKEY_USERS\\*_Classes\\*=x,0,FILEDEF_"), ElementsAre(HasSubstr("class tables")));
  for (const char* clean : {"HKEY_CLASSES_ROOT\\*\\CLSID", "HKEY_CLASSES_ROOT\\CLSID\\*",
                            "HKEY_LOCAL_MACHINE\\Software\\Classes\\*\\shell", "HKEY_LOCAL_MACHINE\\Software\\*",
                            "HKEY_CURRENT_USER\\*"})
    EXPECT_THAT(LintOne(std::string(clean) + "=x,0,FILEDEF_"), IsEmpty()) << clean;
}

TEST(KnowledgeBaseLint, EntriesPastTheNameListAreNeverRead) {
  // 399 names of 40 bytes and a zero each leave 23 bytes of the list's
  // 16382 for the 400th name.
  std::string text = "[PATHS1]\n";
  for (int i = 0; i < 402; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "HKEY_CURRENT_USER\\Software\\Tarnel\\R%05d", i);
    text += std::string(name) + std::string(40 - std::string(name).size(), 'x') + "=Run,0,LD_\n";
  }
  EXPECT_THAT(Lint(text), ElementsAre("401 error: the 16384-byte name list cuts this name to "
                                      "\"HKEY_CURRENT_USER\\Softw\": the scanner reads no rule of this line",
                                      "402 error: the names from here on do not fit in the 16384-byte name list: "
                                      "the scanner never reads this entry or the 1 below it"));
}

TEST(KnowledgeBaseLint, AnEntryWithoutANameEndsTheList) {
  EXPECT_THAT(Lint("[PATHS1]\nHKEY_CURRENT_USER\\Run=Run,0,LD_\n=oops\nHKEY_CURRENT_USER\\Bad=Run\n"),
              ElementsAre("3 error: an entry without a name ends the scanner's list of entries: it reads none from "
                          "here on (1 more)"));
}

TEST(KnowledgeBaseLint, ASecondSectionOfTheNameIsNeverRead) {
  EXPECT_THAT(Lint("[PATHS1]\nHKEY_CURRENT_USER\\Run=Run,0,LD_\n[Other]\n[ paths1 ]\nHKEY_CURRENT_USER\\X=X,0,LD_\n"),
              ElementsAre("4 error: the section [PATHS1] again: the scanner reads only the first, at line 1, and "
                          "none of the entries below this line"));
}

TEST(KnowledgeBaseLint, FindingsComeInLineOrderWithTheExitCodeOfTheWorst) {
  MemoryFileSystem files;
  std::ostringstream out, err;
  files.AddFile("C:\\k.ini", "[PATHS1]\nHKEY_CURRENT_USER\\A=A,x,LD_\nHKEY_CURRENT_USER\\B=B,0,LDD_\n");
  EXPECT_EQ(LintKnowledgeBaseFile(files, "C:\\k.ini", out, err), kLintErrors);
  EXPECT_EQ(out.str(),
            "C:\\k.ini:2: warning: the level \"x\" reads as 0 (it is not a number): problems keep the key and lose "
            "only their bad values\n"
            "C:\\k.ini:3: error: unknown check name \"LDD_\": the scanner skips the entry\n");
  out.str("");
  files.AddFile("C:\\k.ini", "[PATHS1]\nHKEY_CURRENT_USER\\A=A,x,LD_\n");
  EXPECT_EQ(LintKnowledgeBaseFile(files, "C:\\k.ini", out, err), kLintWarnings);
  out.str("");
  files.AddFile("C:\\k.ini", "[PATHS1]\nHKEY_CURRENT_USER\\A=A,0,LD_\n");
  EXPECT_EQ(LintKnowledgeBaseFile(files, "C:\\k.ini", out, err), kLintClean);
  EXPECT_EQ(out.str() + err.str(), "");
  EXPECT_EQ(LintKnowledgeBaseFile(files, "C:\\none.ini", out, err), kLintErrors);
  EXPECT_EQ(err.str(), "TarnelScan: cannot read the knowledge base C:\\none.ini\n");
}

// The linter against the scanner itself: an entry it says the scanner
// skips finds nothing, the same stale value found by every other form.
TEST(KnowledgeBaseLint, WhatItCallsSkippedTheScannerSkips) {
  MemoryRegistry registry;
  MemoryFileSystem files;
  FixedClock clock{LocalTime{2026, 1, 2, 3, 4, 5}};
  NoMail mail;
  ImportRegText(registry, "REGEDIT4\n\n[HKEY_CURRENT_USER\\Run]\n\"gone\"=\"C:\\\\gone.exe\"\n");
  const char* entries[] = {
      "HKEY_CURRENT_USER\\Run=Run,0,LD_",      "HKEY_CURRENT_USER\\Run=Run,x,ld_",
      "HKCU\\Run=Run,0,LD_",                   "HKEY_CURRENT_USER\\Run=Run,0,LD_ ,x",
      "HKEY_CURRENT_USER\\Run=Run,0",          "HKEY_CURRENT_USER\\Run=Run,0, LD_",
      "HKEY_CURRENT_USER\\Run=\"Run,0,LD_\"",  "HKEY_CURRENT_USER\\Run=Run,0,LD",
  };
  for (const char* entry : entries) {
    const std::string text = "[PATHS1]\n" + std::string(entry) + "\n";
    files.AddFile("C:\\k.ini", text);
    std::ostringstream out, err;
    HeadlessScan scan(HeadlessSystem{registry, files, clock, mail}, out, err, nullptr);
    ScanOptions options;
    options.knowledge_base = "C:\\k.ini";
    const bool found = scan.Run(options) == kExitProblemsFound;
    bool skipped = false;
    for (const LintFinding& finding : LintKnowledgeBase(text)) skipped |= finding.severity == LintSeverity::kError;
    EXPECT_NE(found, skipped) << entry;
  }
}

}  // namespace
