// What the Ignore command adds to the list and takes out of the tree.
#include "clean/ignoring.h"

#include <gtest/gtest.h>

namespace {

class IgnoringTest : public testing::Test {
 protected:
  ResultNode& Problem(const std::string& path, int level, std::vector<std::string> values = {}) {
    auto record = std::make_unique<TErrorClass>("File not found", level);
    for (std::string& name : values) record->AddValueName(std::move(name));
    return *InsertProblemPath(tree, *tree.Top(), path, std::move(record));
  }
  ResultTree tree;
};

TEST_F(IgnoringTest, TheNodesKeyOrItsChosenValuesAreWhatIsAdded) {
  ResultNode& run = Problem("HKEY_CURRENT_USER\\Run", 0, {"a", "b"});
  const std::vector<IgnoredItem> key = IgnoredItemsOf(run, {}, "today");
  EXPECT_EQ(key, (std::vector<IgnoredItem>{{"HKEY_CURRENT_USER\\Run", std::nullopt, "today"}}));
  const std::vector<IgnoredItem> values = IgnoredItemsOf(run, {"a", "b"}, "today");
  EXPECT_EQ(values, (std::vector<IgnoredItem>{{"HKEY_CURRENT_USER\\Run", "a", "today"},
                                              {"HKEY_CURRENT_USER\\Run", "b", "today"}}));
}

TEST_F(IgnoringTest, IgnoredValuesLeaveTheRecordAndTheLastOneTakesTheBranch) {
  ResultNode& run = Problem("HKEY_CURRENT_USER\\Software\\Run", 0, {"a", "b"});
  Problem("HKEY_CURRENT_USER\\Other", 1);
  TakeIgnoredOut(tree, run, {{"HKEY_CURRENT_USER\\Software\\Run", "A", ""}});
  EXPECT_EQ(run.Data()->FValueNames, std::vector<std::string>{"b"});
  TakeIgnoredOut(tree, run, {{"HKEY_CURRENT_USER\\Software\\Run", "b", ""}});
  EXPECT_EQ(tree.Top()->Child(0)->FindChild("Software"), nullptr) << "the branch goes up to the shared node";
  EXPECT_NE(tree.Top()->Child(0)->FindChild("Other"), nullptr);
}

TEST_F(IgnoringTest, AnIgnoredKeyWithProblemsBelowKeepsItsNodeWithoutARecord) {
  ResultNode& clsid = Problem("HKEY_CLASSES_ROOT\\CLSID\\{1}", 1);
  ResultNode& server = Problem("HKEY_CLASSES_ROOT\\CLSID\\{1}\\InprocServer32", 2, {"(Default)"});
  TakeIgnoredOut(tree, clsid, IgnoredItemsOf(clsid, {}, ""));
  EXPECT_EQ(clsid.Data(), nullptr);
  ASSERT_EQ(clsid.ChildCount(), 1u);
  EXPECT_EQ(clsid.Child(0), &server);
  EXPECT_NE(server.Data(), nullptr);
}

}  // namespace
