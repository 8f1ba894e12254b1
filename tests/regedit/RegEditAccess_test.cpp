// The navigator's decisions over a fake editor tree.
#include <gtest/gtest.h>

#include <map>

#include "regedit/RegEditAccess.h"

namespace {

using Strings = std::vector<std::string>;

TEST(GetOSKind, EachPlatformCode) {
  EXPECT_EQ(GetOSKind(false, 2, 5, 1), -1);
  EXPECT_EQ(GetOSKind(true, 0, 3, 10), 0);
  EXPECT_EQ(GetOSKind(true, 1, 4, 0), 1) << "Windows 95";
  EXPECT_EQ(GetOSKind(true, 1, 3, 95), 1);
  EXPECT_EQ(GetOSKind(true, 1, 4, 10), 3) << "Windows 98";
  EXPECT_EQ(GetOSKind(true, 1, 4, 90), 3) << "Windows ME";
  EXPECT_EQ(GetOSKind(true, 2, 4, 0), 2);
  EXPECT_EQ(GetOSKind(true, 2, 5, 1), 4);
  EXPECT_EQ(GetOSKind(true, 2, 6, 1), -1) << "Wine's default, Windows 7";
  EXPECT_EQ(GetOSKind(true, 7, 1, 0), -1);
  EXPECT_TRUE(UsesSharedMapping(1) && UsesSharedMapping(3));
  EXPECT_FALSE(UsesSharedMapping(-1) || UsesSharedMapping(2) || UsesSharedMapping(4));
}

TEST(EditorItemNames, SplitAtBackslashesOneTrailingDropped) {
  EXPECT_EQ(EditorItemNames("HKEY_CURRENT_USER"), Strings{"HKEY_CURRENT_USER"});
  EXPECT_EQ(EditorItemNames("HKEY_CURRENT_USER\\Software\\"), (Strings{"HKEY_CURRENT_USER", "Software"}));
  EXPECT_EQ(EditorItemNames("HKEY_CLASSES_ROOT\\a b\\c;d"), (Strings{"HKEY_CLASSES_ROOT", "a b", "c;d"}));
}

// A tree of texts; children are there only once their parent was expanded,
// and a late child only after a refresh.
class FakeTree : public EditorTree {
 public:
  struct Node {
    std::string text;
    std::vector<Item> children;
    std::vector<Item> late;  // appear on refresh
    bool expanded = false;
  };
  std::map<Item, Node> nodes{{1, Named("My Computer")}};
  Item selected = 0;
  int refreshes = 0;

  static Node Named(const std::string& text) {
    Node node;
    node.text = text;
    return node;
  }

  Item Add(Item parent, const std::string& text, bool late = false) {
    const Item item = nodes.size() + 1;
    nodes[item] = Named(text);
    (late ? nodes[parent].late : nodes[parent].children).push_back(item);
    return item;
  }
  Item Root() override { return 1; }
  Item FirstChild(Item item) override {
    const Node& node = nodes[item];
    return node.expanded && !node.children.empty() ? node.children.front() : 0;
  }
  Item NextSibling(Item item) override {
    for (auto& [id, node] : nodes) {
      if (!node.expanded) continue;
      for (std::size_t i = 0; i + 1 < node.children.size(); ++i)
        if (node.children[i] == item) return node.children[i + 1];
    }
    return 0;
  }
  std::optional<std::string> Text(Item item) override { return nodes[item].text; }
  void Expand(Item item) override { nodes[item].expanded = true; }
  void Refresh(Item item) override {
    ++refreshes;
    Node& node = nodes[item];
    node.children.insert(node.children.end(), node.late.begin(), node.late.end());
    node.late.clear();
    node.expanded = true;
  }
  void Select(Item item) override { selected = item; }
};

TEST(FindChildPath, ExactCaseFirstThenAnyCaseThenAfterARefresh) {
  FakeTree tree;
  const auto hkcu = tree.Add(1, "HKEY_CURRENT_USER");
  const auto software = tree.Add(hkcu, "SOFTWARE");
  const auto lower = tree.Add(software, "vendor");
  const auto upper = tree.Add(software, "Vendor");
  const auto late = tree.Add(upper, "Late", true);
  EXPECT_EQ(FindChildPath(tree, EditorItemNames("HKEY_CURRENT_USER\\Software\\Vendor"), 1), upper)
      << "the rules say Software, the editor SOFTWARE; Vendor has an exact twin";
  EXPECT_EQ(tree.selected, upper);
  EXPECT_EQ(FindChildPath(tree, EditorItemNames("HKEY_CURRENT_USER\\Software\\VENDOR"), 1), lower);
  EXPECT_EQ(FindChildPath(tree, EditorItemNames("HKEY_CURRENT_USER\\Software\\Vendor\\Late\\"), 1), late);
  EXPECT_EQ(tree.refreshes, 1);
  EXPECT_EQ(ItemPath(tree, late), "HKEY_CURRENT_USER\\SOFTWARE\\Vendor\\Late");
}

TEST(FindChildPath, TheFirstOfEqualSiblingsAndNoRetryOnTheSecond) {
  FakeTree tree;
  const auto hkcu = tree.Add(1, "HKEY_CURRENT_USER");
  const auto first = tree.Add(hkcu, "Twin");
  tree.Add(tree.Add(hkcu, "Twin"), "Below");
  (void)first;
  tree.selected = 99;
  EXPECT_EQ(FindChildPath(tree, EditorItemNames("HKEY_CURRENT_USER\\Twin\\Below"), 1), 0u);
  EXPECT_EQ(tree.selected, 99u) << "nothing selected on failure";
  EXPECT_EQ(FindChildPath(tree, {"HKEY_CURRENT_USER", "Missing"}, 1), 0u);
}

TEST(ValueRow, TheDefaultIsRowZeroAndARealDefaultNamedValueItsOwnRow) {
  const Strings rows{"(Default)", "Path", "(Default)", "path"};
  EXPECT_EQ(ValueRow(rows, "(Default)"), 0);
  EXPECT_EQ(ValueRow(rows, "path"), 3);
  EXPECT_EQ(ValueRow(rows, "PATH"), 1);
  EXPECT_EQ(ValueRow(rows, "Gone"), std::nullopt);
}

TEST(Keystrokes, CollapseOpenTypeAndPauseBetweenComponents) {
  const std::vector<Keystroke> keys = KeystrokesForPath("HKEY_CU\\ab");
  ASSERT_EQ(keys.size(), 30u + 1 + 7 + 2 + 2);
  EXPECT_EQ(keys[29], Keystroke{Keystroke::kLeft});
  EXPECT_EQ(keys[30], Keystroke{Keystroke::kRight});
  EXPECT_EQ(keys[31], (Keystroke{Keystroke::kChar, 'H'}));
  EXPECT_EQ(keys[38], Keystroke{Keystroke::kRight});
  EXPECT_EQ(keys[39], Keystroke{Keystroke::kPause});
  EXPECT_EQ(keys[40], (Keystroke{Keystroke::kChar, 'A'}));
  EXPECT_EQ(KeystrokesForValue("a;1"), (std::vector<Keystroke>{{Keystroke::kChar, 'A'}, {Keystroke::kChar, ';'},
                                                                {Keystroke::kChar, '1'}}));
}

}  // namespace
