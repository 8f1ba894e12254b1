#include "scan/key_paths.h"

#include <gtest/gtest.h>

#include "platform/root_keys.h"

namespace {

class KeyPathsTest : public ::testing::Test {
 protected:
  ResultNode& Add(ResultNode& parent, const std::string& text) { return *tree.AddChild(parent, text); }
  ResultTree tree;
  ResultNode& top = *tree.Top();
};

TEST_F(KeyPathsTest, TopNodeNamesNothing) {
  EXPECT_EQ(NodeFullPath(top), "");
  EXPECT_EQ(NodeKey(top).Path(), "");
  EXPECT_EQ(NodeKey(top).Root(), 0u);
}

TEST_F(KeyPathsTest, RootKeyNodeIsTheRootItself) {
  ResultNode& root = Add(top, "HKEY_CLASSES_ROOT");
  EXPECT_EQ(NodeFullPath(root), "HKEY_CLASSES_ROOT");
  EXPECT_EQ(NodeKey(root).Path(), "");
  EXPECT_EQ(NodeKey(root).Root(), kHkeyClassesRoot);
  EXPECT_EQ(NodeKey(Add(top, "HKEY_NOWHERE")).Root(), 0u);
}

TEST_F(KeyPathsTest, DeepNodeJoinsItsAncestors) {
  ResultNode& server = Add(Add(Add(Add(top, "HKEY_CLASSES_ROOT"), "CLSID"), "{0-1}"), "InprocServer32");
  EXPECT_EQ(NodeFullPath(server), "HKEY_CLASSES_ROOT\\CLSID\\{0-1}\\InprocServer32");
  EXPECT_EQ(NodeKey(server).Path(), "CLSID\\{0-1}\\InprocServer32");
  EXPECT_EQ(NodeKey(server).Root(), kHkeyClassesRoot);
}

TEST_F(KeyPathsTest, EmptyTextIsAnEmptyComponent) {
  ResultNode& blank = Add(Add(top, "HKEY_USERS"), "");
  EXPECT_EQ(NodeFullPath(blank), "HKEY_USERS\\");
  EXPECT_EQ(NodeKey(blank).Path(), "");
}

TEST_F(KeyPathsTest, ProblemKeyNodeStopsBelowTheRootKey) {
  ResultNode& root = Add(top, "HKEY_LOCAL_MACHINE");
  ResultNode& software = Add(root, "Software");
  ResultNode& leaf = Add(software, "Leaf");
  EXPECT_EQ(ProblemKeyNode(leaf, 1), &leaf);
  EXPECT_EQ(ProblemKeyNode(leaf, 2), &software);
  EXPECT_EQ(ProblemKeyNode(leaf, 3), nullptr);   // the root key
  EXPECT_EQ(ProblemKeyNode(leaf, 4), nullptr);   // the top node
  EXPECT_EQ(ProblemKeyNode(leaf, 50), nullptr);  // beyond
  EXPECT_EQ(ProblemKeyNode(root, 1), nullptr);
  EXPECT_EQ(ProblemKeyNode(leaf, 0), nullptr);
  EXPECT_EQ(ProblemKeyNode(Add(root, ""), 1), nullptr) << "a problem at \"HKEY_LOCAL_MACHINE\\\"";
}

}  // namespace
