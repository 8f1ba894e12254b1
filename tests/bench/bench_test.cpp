// The benchmark's figures are only worth comparing when its registry is
// what it claims and its raw walk reads what the scan reads.
#include <algorithm>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "bench/bench_run.h"
#include "bench/raw_walk.h"
#include "bench/synthetic_registry.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"
#include "platform/root_keys.h"
#include "support/reg_bytes.h"

namespace {

constexpr const char* kKnowledgeBase = "C:\\Program Files\\Tarnel\\Knowbase.ini";

std::string ShippedKnowledgeBase() {
  std::ifstream file(TARNEL_SHIPPED_KNOWBASE, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

void AddText(Registry& registry, RootKey root, const std::string& path, const std::string& text) {
  registry.OpenWrite(root, path)->SetValue("", RegValue{kRegSz, Sz(text)});
}

bool InThirtyTwoBitView(const std::string& path) { return path.find("\\Wow6432Node\\") != std::string::npos; }

// Shaped like 64-bit Windows 11: some 1.7 values a key, problems planted in
// both views.
TEST(SyntheticRegistry, SameShapeGivesTheSameRegistryOfAboutTheSizeAsked) {
  MemoryRegistry first, second;
  const SyntheticRegistry a = GenerateRegistry(first, {3000, true});
  const SyntheticRegistry b = GenerateRegistry(second, {3000, true});
  EXPECT_EQ(a.planted, b.planted);
  EXPECT_EQ(a.values, b.values);
  EXPECT_GE(a.keys, 3000u);
  EXPECT_LE(a.keys, 3010u);
  EXPECT_FALSE(a.planted.empty());
  EXPECT_GT(a.values, a.keys * 16 / 10);
  EXPECT_LT(a.values, a.keys * 18 / 10);
  EXPECT_TRUE(first.OpenRead(kHkeyLocalMachine, "Software\\Classes\\Wow6432Node\\CLSID"));
  EXPECT_TRUE(first.OpenRead(kHkeyLocalMachine, "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall"));
  EXPECT_TRUE(first.OpenRead(kHkeyCurrentUser, "Software\\Classes\\CLSID"));
}

// The planted problems are found and nothing else: the scan's search memo
// gives what an uncached search gives, and no name is searched twice.
TEST(SyntheticRegistry, ScanFindsExactlyThePlantedProblemsSearchingEachNameOnce) {
  const std::string shipped = ShippedKnowledgeBase();
  ASSERT_NE(shipped.find("[PATHS1]"), std::string::npos);
  MemoryRegistry registry;
  registry.SetTwoViews(true);
  MemoryFileSystem files;
  const SyntheticRegistry generated = GenerateRegistry(registry, {10000, true});
  EXPECT_GT(std::count_if(generated.planted.begin(), generated.planted.end(), InThirtyTwoBitView), 3);
  AddReferencedFiles(files, generated);
  files.AddFile(kKnowledgeBase, shipped);

  const BenchFigures figures = MeasureScan("memory", registry, files, kKnowledgeBase, generated, 1, 0);
  EXPECT_GT(figures.planted, 30u);
  EXPECT_EQ(figures.problems, figures.planted);
  EXPECT_EQ(figures.missed, 0u);
  EXPECT_GT(figures.scan_lookups, 0u);
  EXPECT_EQ(figures.walk_lookups, figures.scan_lookups);
  EXPECT_EQ(figures.error, "");
  EXPECT_EQ(figures.repeated_searches, 0u);
  // A hand-off to the UI thread for each problem and each rule.
  EXPECT_GT(figures.handoffs, figures.problems);
  EXPECT_LE(figures.handoff_ms, figures.scan_ms);
}

// A registry left full of problems: the scan still finds exactly what was
// planted, and there is far more of it than at the usual share.
TEST(SyntheticRegistry, EveryReferenceStaleIsFoundAndTheShareIsAnOption) {
  MemoryRegistry usual_registry, stale_registry;
  stale_registry.SetTwoViews(true);
  MemoryFileSystem files;
  const SyntheticRegistry usual = GenerateRegistry(usual_registry, {.keys = 3000, .mirror_classes_root = true});
  const SyntheticRegistry generated =
      GenerateRegistry(stale_registry, {.keys = 3000, .mirror_classes_root = true, .stale_percent = 100});
  AddReferencedFiles(files, generated);
  files.AddFile(kKnowledgeBase, ShippedKnowledgeBase());
  const BenchFigures figures = MeasureScan("memory", stale_registry, files, kKnowledgeBase, generated, 1, 0);
  EXPECT_GT(figures.planted, 10 * usual.planted.size());
  EXPECT_EQ(figures.missed, 0u);
  EXPECT_LE(figures.problems, figures.planted + figures.planted / 100) << "next to nothing besides";

  EXPECT_EQ(ParseBenchOptions({"--knowbase", "k.ini", "--stale", "100"}).options.stale_percent, 100u);
  EXPECT_EQ(ParseBenchOptions({"--knowbase", "k.ini"}).options.stale_percent, 3u);
  for (const char* bad : {"101", "-1", "", "5%"})
    EXPECT_NE(ParseBenchOptions({"--knowbase", "k.ini", "--stale", bad}).error, "") << bad;
}

// Every key examined names a missing file, so the scan reports each key it
// examines: the walk must count exactly those.
TEST(RawWalk, VisitsTheKeysTheScanChecksAndSearchesEachTextOnce) {
  MemoryRegistry registry;
  MemoryFileSystem files;
  for (const char* name : {"txtfile", "CLSID", "Interface", "TypeLib", "*", "docfile"})
    AddText(registry, kHkeyClassesRoot, std::string(name) + "\\shell\\open\\command", "missing.exe %1");
  AddText(registry, kHkeyClassesRoot, "emptyfile\\shell", "");
  AddText(registry, kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\a.exe",
          "\"C:\\gone\\a.exe\"");
  AddText(registry, kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\b.exe",
          "%ProgramFiles%\\b.exe");
  files.AddFile(kKnowledgeBase,
                "[PATHS1]\n"
                "HKEY_CLASSES_ROOT\\*\\shell\\open\\command=Open,0,FILEDEF_\n"
                "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\*=Paths,1,filedef_\n"
                "HKEY_CLASSES_ROOT\\CLSID=Unknown check,0,NOSUCH_\n");

  const BenchFigures figures = MeasureScan("memory", registry, files, kKnowledgeBase, SyntheticRegistry{}, 1, 0);
  // txtfile and docfile (not the class tables, not "*"), and a.exe; b.exe
  // is examined too but its environment reference passes.
  EXPECT_EQ(figures.keys_checked, 4u);
  EXPECT_EQ(figures.problems, 3u);
  // "missing.exe %1", cut to "missing.exe", and "C:\gone\a.exe": the
  // same searches as the scan's.
  EXPECT_GE(figures.walk_lookups, 3u);
  EXPECT_EQ(figures.walk_lookups, figures.scan_lookups);
  EXPECT_EQ(figures.error, "");
}

// On 64-bit Windows the scan walks each redirected rule again over the
// 32-bit view and reads the registered names of both classes keys in both
// views: the walk does the same, and only then.
TEST(RawWalk, ReadsBothViewsAndEveryReferenceTableAsTheScanDoes) {
  for (const bool two_views : {true, false}) {
    MemoryRegistry registry;
    registry.SetTwoViews(two_views);
    MemoryFileSystem files;
    AddText(registry, kHkeyClassesRoot, "CLSID\\{A}\\InprocServer32", "gone64.dll");
    AddText(registry, kHkeyClassesRoot, "Wow6432Node\\CLSID\\{B}\\InprocServer32", "gone32.dll");
    const std::string run = "Microsoft\\Windows\\CurrentVersion\\Run";
    registry.OpenWrite(kHkeyLocalMachine, "Software\\" + run)->SetValue("a", RegValue{kRegSz, Sz("C:\\gone\\a.exe")});
    registry.OpenWrite(kHkeyLocalMachine, "Software\\Wow6432Node\\" + run)
        ->SetValue("b", RegValue{kRegSz, Sz("C:\\gone\\b.exe")});
    // 1 + 1 + 1 names in the machine's tables and 4 of its classes key;
    // 1 + 1 in the user's and 2 of theirs.
    for (const char* key : {"CLSID\\{A}", "Wow6432Node\\CLSID\\{B}", "TypeLib\\{T}", "Prog.1"})
      registry.OpenWrite(kHkeyLocalMachine, std::string("Software\\Classes\\") + key);
    for (const char* key : {"CLSID\\{C}", "Wow6432Node\\Interface\\{I}"})
      registry.OpenWrite(kHkeyCurrentUser, std::string("Software\\Classes\\") + key);
    const std::string rules =
        "[PATHS1]\n"
        "HKEY_CLASSES_ROOT\\CLSID\\*\\InprocServer32=Servers,2,FILEDEF_\n"
        "HKEY_LOCAL_MACHINE\\Software\\" + run + "=Run,1,LD_\n";
    files.AddFile(kKnowledgeBase, rules);

    EXPECT_EQ(RawWalk(registry, files, ReadRawRules(rules)).reference_names, 11u);
    const BenchFigures figures = MeasureScan("memory", registry, files, kKnowledgeBase, SyntheticRegistry{}, 1, 0);
    EXPECT_EQ(figures.keys_checked, two_views ? 4u : 2u);
    EXPECT_EQ(figures.problems, two_views ? 4u : 2u);
    EXPECT_EQ(figures.walk_lookups, figures.scan_lookups);
    EXPECT_EQ(figures.error, "");
  }
}

TEST(RawWalk, ReadsOnlyRulesWithAKeyPatternAndAKnownCheck) {
  const std::vector<RawRule> rules = ReadRawRules(
      "[PATHS1]\n"
      "HKEY_CLASSES_ROOT\\CLSID\\*\\InprocServer32=Servers,2,filedef_\n"
      "NoBackslash=Nothing,0,FILE_\n"
      "HKEY_CLASSES_ROOT\\X=Unknown,0,NOSUCH_\n"
      "HKEY_CLASSES_ROOT\\Y=Too short\n"
      "HKEY_LOCAL_MACHINE\\Software\\Uninstall\\*=Icons,0,FILE_,DisplayIcon\n");
  ASSERT_EQ(rules.size(), 2u);
  EXPECT_EQ(rules[0].root, kHkeyClassesRoot);
  EXPECT_EQ(rules[0].pattern, "CLSID\\*\\InprocServer32");
  EXPECT_EQ(rules[0].check, "FILEDEF_");
  EXPECT_EQ(rules[1].parameter, std::optional<std::string>("DisplayIcon"));
}

}  // namespace
