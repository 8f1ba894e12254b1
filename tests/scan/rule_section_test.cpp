// A rule section run on the test's own thread, through a check context of
// the test's making: no scanner, no worker, no window.
#include <gtest/gtest.h>

#include <set>

#include "platform/ini_file.h"
#include "platform/memory_registry.h"
#include "regtext/regedit4_reader.h"
#include "scan/BaseVer.h"
#include "scan/check_context.h"
#include "scan/reference_list.h"

namespace {

using Strings = std::vector<std::string>;

class RecordingContext : public CheckContext {
 public:
  Registry& ScannedRegistry() override { return registry; }
  void AddProblem(const std::string& full_path, RegKey*, std::unique_ptr<TErrorClass> record) override {
    std::string line = full_path + ": " + record->FMessage;
    for (const std::string& name : record->FValueNames) line += " " + name;
    problems.push_back(line);
    if (stop_after_first_problem) stop = true;
  }
  bool FileFound(const std::string& name) override { return present.count(name) > 0; }
  Presence FileSearch(const std::string& name) override {
    return FileFound(name) ? Presence::kFound : Presence::kMissing;
  }
  std::optional<std::string> Variable(const std::string&, ProgramWidth) override { return std::nullopt; }
  bool FolderFound(const std::string& path) override { return present.count(path) > 0; }
  bool Registered(ReferenceTable table, const std::string& name) const override {
    return table == ReferenceTable::kClassIds && class_ids.Contains(name);
  }
  bool StopRequested() const override { return stop; }
  void ReportProgress(const std::string& text) override { progress.push_back(text); }
  void NoteUnreadable(const std::string& full_name) override { unreadable.push_back(full_name); }

  MemoryRegistry registry;
  std::set<std::string> present;
  ReferenceList class_ids;
  bool stop = false;
  bool stop_after_first_problem = false;
  Strings problems;
  Strings progress;
  Strings unreadable;
};

class RuleSectionTest : public testing::Test {
 protected:
  void SetUp() override {
    ImportRegText(context.registry,
                  "REGEDIT4\n\n"
                  "[HKEY_CURRENT_USER\\Run]\n\"a\"=\"C:\\\\a.exe\"\n\"b\"=\"C:\\\\b.exe\"\n"
                  "[HKEY_CURRENT_USER\\Apps\\One]\n@=\"{1}\"\n"
                  "[HKEY_CURRENT_USER\\Apps\\Two]\n@=\"{2}\"\n");
    context.present = {"C:\\a.exe"};
    context.class_ids.Assign({"{1}"});
  }
  void Run(const std::string& rules) {
    TINISectionVarClass section(context, "PATHS1", IniFile("[PATHS1]\n" + rules));
    section.Run();
  }
  RecordingContext context;
};

TEST_F(RuleSectionTest, TheChecksAskTheContextAndReportToIt) {
  Run("HKEY_CURRENT_USER\\Run=Programs,0,LD_\n"
      "HKEY_CURRENT_USER\\Apps\\*=Classes,1,CLSID_D_\n"
      "NO KEY=Skipped,0,LD_\n");
  EXPECT_EQ(context.problems,
            (Strings{"HKEY_CURRENT_USER\\Run: File not found b", "HKEY_CURRENT_USER\\Apps\\Two: Class not found (Default)"}));
  EXPECT_EQ(context.progress, (Strings{"Programs", "Classes", ""}))
      << "one step per entry; one that names no key shows no text";
}

TEST_F(RuleSectionTest, AStopEndsTheRunBetweenKeysAndEntries) {
  context.class_ids.Clear();
  context.stop_after_first_problem = true;
  Run("HKEY_CURRENT_USER\\Apps\\*=Classes,1,CLSID_D_\nHKEY_CURRENT_USER\\Run=Programs,0,LD_\n");
  EXPECT_EQ(context.problems, Strings{"HKEY_CURRENT_USER\\Apps\\One: Class not found (Default)"});
  context.problems.clear();
  Run("HKEY_CURRENT_USER\\Run=Programs,0,LD_\n");
  EXPECT_TRUE(context.problems.empty()) << "a stop asked before the run checks nothing";
}

}  // namespace
