#include "scan/result_tree.h"

#include <gtest/gtest.h>

#include "platform/root_keys.h"

namespace {

std::unique_ptr<TErrorClass> Problem(const char* message, std::int32_t level, std::vector<std::string> names = {}) {
  auto record = std::make_unique<TErrorClass>(message, level);
  for (auto& name : names) record->AddValueName(name);
  return record;
}

TEST(TErrorClass, ConstructorWithAnEmptyValueNameHoldsOneEmptyName) {
  TErrorClass record("File not found", "", 2);
  EXPECT_EQ(record.FValueNames, std::vector<std::string>{""});
  EXPECT_EQ(record.FLevel, 2);
  EXPECT_TRUE(TErrorClass("Class not found", 0).FValueNames.empty());
}

TEST(MergeProblem, JoinsDistinctMessagesKeepsTheLargerLevelAndUnitesNamesIgnoringCase) {
  TErrorClass target("Class not found", "A", 0);
  target.AddValueName("b");
  MergeProblem(target, *Problem("File not found", 3, {"B", "c", "A", "d"}));
  EXPECT_EQ(target.FMessage, "Class not found,File not found");
  EXPECT_EQ(target.FLevel, 3);
  EXPECT_EQ(target.FValueNames, (std::vector<std::string>{"A", "b", "c", "d"}));

  MergeProblem(target, *Problem("File not found", -1));
  EXPECT_EQ(target.FMessage, "Class not found,File not found,File not found")
      << "the whole texts are compared, so a joined message never equals a single one";
  EXPECT_EQ(target.FLevel, 3);
}

TEST(MergeProblem, EqualMessagesStayOne) {
  TErrorClass target("File not found", 1);
  MergeProblem(target, *Problem("File not found", 0));
  EXPECT_EQ(target.FMessage, "File not found");
  EXPECT_EQ(target.FLevel, 1);
}

class InsertProblemPathTest : public testing::Test {
 protected:
  ResultNode* Insert(const std::string& path, std::unique_ptr<TErrorClass> record) {
    return InsertProblemPath(tree, *tree.Top(), path, std::move(record));
  }
  ResultTree tree;
};

TEST_F(InsertProblemPathTest, BuildsOneNodePerComponentWithTheRecordAtTheLast) {
  ResultNode* node = Insert("HKEY_CLASSES_ROOT\\CLSID\\X\\InprocServer32", Problem("File not found", 0));
  EXPECT_EQ(node->Text(), "InprocServer32");
  EXPECT_EQ(node->Level(), 4);
  ASSERT_NE(node->Data(), nullptr);
  EXPECT_EQ(node->Parent()->Data(), nullptr);
  EXPECT_EQ(node->ImageIndex(), 0);
  EXPECT_EQ(node->SelectedIndex(), 1);
  EXPECT_EQ(tree.Top()->Text(), "My Computer");
  EXPECT_EQ(tree.NodeCount(), 5u);
}

TEST_F(InsertProblemPathTest, ARecordForAnInnerNodeAttachesThereAndKeepsItsChild) {
  Insert("HKEY_CLASSES_ROOT\\CLSID\\X\\InprocServer32", Problem("File not found", 0));
  ResultNode* x = Insert("HKEY_CLASSES_ROOT\\CLSID\\X", Problem("Class not found", 2));
  ASSERT_NE(x->Data(), nullptr);
  EXPECT_EQ(x->Data()->FMessage, "Class not found");
  EXPECT_EQ(x->ChildCount(), 1u);
  EXPECT_EQ(tree.NodeCount(), 5u);
}

TEST_F(InsertProblemPathTest, SameKeyTwiceMergesIntoOneRecord) {
  ResultNode* first = Insert("HKEY_CURRENT_USER\\Software\\A", Problem("File not found", 0, {"x"}));
  ResultNode* second = Insert("HKEY_CURRENT_USER\\Software\\A", Problem("Class not found", 1, {"X", "y"}));
  EXPECT_EQ(first, second);
  EXPECT_EQ(first->Data()->FMessage, "File not found,Class not found");
  EXPECT_EQ(first->Data()->FValueNames, (std::vector<std::string>{"x", "y"}));
  EXPECT_EQ(first->Data()->FLevel, 1);
}

TEST_F(InsertProblemPathTest, CaseAndRootsMakeSeparateBranches) {
  Insert("HKEY_LOCAL_MACHINE\\Software\\CLASSES\\A", Problem("File not found", 0));
  Insert("HKEY_LOCAL_MACHINE\\Software\\Classes\\A", Problem("File not found", 0));
  Insert("HKEY_CLASSES_ROOT\\A", Problem("File not found", 0));
  ASSERT_EQ(tree.Top()->ChildCount(), 2u);
  EXPECT_EQ(tree.Top()->Child(0)->Child(0)->ChildCount(), 2u);
}

TEST_F(InsertProblemPathTest, TrailingAndDoubledBackslashesGiveEmptyNodes) {
  ResultNode* root_problem = Insert("HKEY_CURRENT_USER\\", Problem("File not found", 0));
  EXPECT_EQ(root_problem->Text(), "");
  EXPECT_EQ(root_problem->Parent()->Text(), "HKEY_CURRENT_USER");
  EXPECT_EQ(root_problem->Parent()->Data(), nullptr);

  ResultNode* deep = Insert("HKEY_USERS\\a\\\\b", Problem("File not found", 0));
  EXPECT_EQ(deep->Parent()->Text(), "");
  EXPECT_EQ(deep->Level(), 4);
}

TEST_F(InsertProblemPathTest, DeletingANodeReleasesItsSubtreeAndKeepsTheLookupIndexRight) {
  ResultNode* a = Insert("HKEY_CLASSES_ROOT\\A\\B", Problem("File not found", 0))->Parent();
  tree.Delete(*a);
  EXPECT_EQ(tree.NodeCount(), 2u);
  ResultNode* again = Insert("HKEY_CLASSES_ROOT\\A", Problem("Class not found", 0));
  EXPECT_EQ(again->ChildCount(), 0u) << "a deleted node must not be found again";
  tree.DeleteChildren(*tree.Top());
  EXPECT_EQ(tree.NodeCount(), 1u);
}

TEST(RootKeys, NamesAndHandlesConvertBothWays) {
  const std::pair<const char*, RootKey> rows[] = {
      {"HKEY_CLASSES_ROOT", 0x80000000u},     {"HKEY_CURRENT_USER", 0x80000001u},
      {"HKEY_LOCAL_MACHINE", 0x80000002u},    {"HKEY_USERS", 0x80000003u},
      {"HKEY_PERFORMANCE_DATA", 0x80000004u}, {"HKEY_CURRENT_CONFIG", 0x80000005u},
      {"HKEY_DYN_DATA", 0x80000006u},
  };
  for (const auto& [name, handle] : rows) {
    EXPECT_EQ(RootKeyFromName(name), handle) << name;
    EXPECT_EQ(RootKeyName(handle), name);
  }
  EXPECT_EQ(RootKeyFromName("hkey_local_machine"), 0u);
  EXPECT_EQ(RootKeyFromName("HKLM"), 0u);
  EXPECT_EQ(RootKeyName(0x80000007u), "");
  EXPECT_EQ(RootKeyName(0), "");
}

TEST(RootKeys, RootOfAPathLooksBeforeTheFirstBackslashOnly) {
  EXPECT_EQ(RootKeyOfPath("HKEY_CURRENT_USER"), kHkeyCurrentUser);
  EXPECT_EQ(RootKeyOfPath("HKEY_CURRENT_USER\\"), kHkeyCurrentUser);
  EXPECT_EQ(RootKeyOfPath("HKEY_LOCAL_MACHINE\\Software\\CLASSES"), kHkeyLocalMachine);
  EXPECT_EQ(RootKeyOfPath("\\Software"), 0u);
}

}  // namespace
