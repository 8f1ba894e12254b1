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
  EXPECT_EQ(NodeKeyPath(top), "");
  EXPECT_EQ(NodeRootKey(top), 0u);
}

TEST_F(KeyPathsTest, RootKeyNodeIsTheRootItself) {
  ResultNode& root = Add(top, "HKEY_CLASSES_ROOT");
  EXPECT_EQ(NodeFullPath(root), "HKEY_CLASSES_ROOT");
  EXPECT_EQ(NodeKeyPath(root), "");
  EXPECT_EQ(NodeRootKey(root), kHkeyClassesRoot);
  EXPECT_EQ(NodeRootKey(Add(top, "HKEY_NOWHERE")), 0u);
}

TEST_F(KeyPathsTest, DeepNodeJoinsItsAncestors) {
  ResultNode& server = Add(Add(Add(Add(top, "HKEY_CLASSES_ROOT"), "CLSID"), "{0-1}"), "InprocServer32");
  EXPECT_EQ(NodeFullPath(server), "HKEY_CLASSES_ROOT\\CLSID\\{0-1}\\InprocServer32");
  EXPECT_EQ(NodeKeyPath(server), "CLSID\\{0-1}\\InprocServer32");
  EXPECT_EQ(NodeRootKey(server), kHkeyClassesRoot);
}

TEST_F(KeyPathsTest, EmptyTextIsAnEmptyComponent) {
  ResultNode& blank = Add(Add(top, "HKEY_USERS"), "");
  EXPECT_EQ(NodeFullPath(blank), "HKEY_USERS\\");
  EXPECT_EQ(NodeKeyPath(blank), "");
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

TEST(JoinKeyPathTest, EmptyPartsAddNoBackslash) {
  EXPECT_EQ(JoinKeyPath("HKEY_USERS", ""), "HKEY_USERS");
  EXPECT_EQ(JoinKeyPath("", "Sub"), "Sub");
  EXPECT_EQ(JoinKeyPath("A\\B", "C"), "A\\B\\C");
}

}  // namespace
