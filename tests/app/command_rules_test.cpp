// The enabled-state rules of the selection, the menus and the scan.
#include <gtest/gtest.h>

#include "app/command_rules.h"

namespace {

TEST(TreeSelectionRule, NodesBelowTheTopCanBeCopiedAndLeavesDeleted) {
  EXPECT_EQ(TreeSelectionRule({}), (NodeCommandStates{false, false, false})) << "no selection";
  EXPECT_EQ(TreeSelectionRule({true, 0, true}), (NodeCommandStates{false, false, false})) << "My Computer";
  EXPECT_EQ(TreeSelectionRule({true, 1, true}), (NodeCommandStates{true, false, true})) << "HKEY_LOCAL_MACHINE";
  EXPECT_EQ(TreeSelectionRule({true, 1, false}), (NodeCommandStates{true, true, true}));
  EXPECT_EQ(TreeSelectionRule({true, 5, false}), (NodeCommandStates{true, true, true}));
}

TEST(EditMenuRule, BindsDeleteToTheActiveControlAndIgnoresChildren) {
  const SelectedNode parent{true, 3, true};
  EXPECT_EQ(EditMenuRule(ActiveControl::kTree, parent), (EditMenuStates{DeleteBinding::kDeleteKey, true, true, true}))
      << "the Edit menu enables Delete Key where the context menu does not";
  EXPECT_FALSE(TreeSelectionRule(parent).delete_key);
  EXPECT_EQ(EditMenuRule(ActiveControl::kTree, {true, 0, true}),
            (EditMenuStates{DeleteBinding::kDeleteKey, false, false, false}));
  EXPECT_EQ(EditMenuRule(ActiveControl::kList, parent), (EditMenuStates{DeleteBinding::kDeleteValue, false, true, true}));
  EXPECT_EQ(EditMenuRule(ActiveControl::kOther, {}), (EditMenuStates{DeleteBinding::kNone, false, false, false}));
}

TEST(ListPopupRule, DeleteOnlyForAValueTheRecordNames) {
  TErrorClass record("File not found", "Foo", 0);
  EXPECT_EQ(ListPopupRule(std::nullopt, &record), (ListPopupStates{false, false, false}));
  EXPECT_EQ(ListPopupRule("FOO", &record), (ListPopupStates{true, true, true}));
  EXPECT_EQ(ListPopupRule("Bar", &record), (ListPopupStates{true, true, false}));
  EXPECT_EQ(ListPopupRule("Foo", nullptr), (ListPopupStates{true, true, false}));
  TErrorClass key_problem("Class not found", 2);
  EXPECT_EQ(ListPopupRule("Foo", &key_problem), (ListPopupStates{true, true, false}));
}

TEST(IgnoreRule, ANodeWithAProblemOnTheTreeABadValueOnTheList) {
  TErrorClass record("File not found", "Foo", 0);
  EXPECT_TRUE(IgnoreRule(ActiveControl::kTree, &record, std::nullopt));
  EXPECT_FALSE(IgnoreRule(ActiveControl::kTree, nullptr, "Foo")) << "a node without a problem";
  EXPECT_TRUE(IgnoreRule(ActiveControl::kList, &record, "foo"));
  EXPECT_FALSE(IgnoreRule(ActiveControl::kList, &record, "Bar")) << "a good value is not a problem to ignore";
  EXPECT_FALSE(IgnoreRule(ActiveControl::kList, &record, std::nullopt));
  EXPECT_FALSE(IgnoreRule(ActiveControl::kOther, &record, "Foo"));
}

TEST(ScanRules, StartAndFinishSwapStartAndStopAndDecideDeleteAll) {
  CommandStates states;
  states.SetEnabled(CommandId::kDeleteAll, true);
  ApplyScanStarted(states);
  EXPECT_FALSE(states.Enabled(CommandId::kStart));
  EXPECT_TRUE(states.Enabled(CommandId::kStop));
  EXPECT_FALSE(states.Enabled(CommandId::kDeleteAll));
  ApplyScanFinished(states, 1);
  EXPECT_TRUE(states.Enabled(CommandId::kStart));
  EXPECT_FALSE(states.Enabled(CommandId::kStop));
  EXPECT_FALSE(states.Enabled(CommandId::kDeleteAll)) << "a scan that found nothing";
  ApplyScanStarted(states);
  ApplyScanFinished(states, 4);
  EXPECT_TRUE(states.Enabled(CommandId::kDeleteAll)) << "a stopped scan that found something";
}

}  // namespace
