// The enabled-state rules of the selection, and the one function that
// decides every command's state from a snapshot of the window.
#include <gtest/gtest.h>

#include "app/command_rules.h"
#include "app/command_states.h"

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

TEST(StatesOf, TheWindowAsItStartsHasTheTablesStartStates) {
  EXPECT_EQ(StatesOf(WindowSnapshot{}), CommandStates());
}

TEST(StatesOf, AScanSwapsStartAndStopAndDeleteAllNeedsSomethingFoundAndNoScan) {
  WindowSnapshot window;
  window.scanning = true;
  window.tree_nodes = 4;
  CommandStates states = StatesOf(window);
  EXPECT_FALSE(states.Enabled(CommandId::kStart));
  EXPECT_TRUE(states.Enabled(CommandId::kStop));
  EXPECT_FALSE(states.Enabled(CommandId::kDeleteAll));
  EXPECT_TRUE(states.Enabled(CommandId::kSaveToFile)) << "what was found so far can be saved";
  window.scanning = false;
  states = StatesOf(window);
  EXPECT_TRUE(states.Enabled(CommandId::kStart));
  EXPECT_FALSE(states.Enabled(CommandId::kStop));
  EXPECT_TRUE(states.Enabled(CommandId::kDeleteAll)) << "a stopped scan that found something";
  window.tree_nodes = 1;
  states = StatesOf(window);
  EXPECT_FALSE(states.Enabled(CommandId::kDeleteAll)) << "a scan that found nothing, or all deleted";
  EXPECT_FALSE(states.Enabled(CommandId::kSend));
}

TEST(StatesOf, TheSelectionDecidesTheCommandsOfTheTreeAndTheList) {
  TErrorClass record("File not found", "Foo", 0);
  WindowSnapshot window;
  window.node = {true, 3, true};
  window.record = &record;
  window.active = ActiveControl::kTree;
  CommandStates states = StatesOf(window);
  EXPECT_FALSE(states.Enabled(CommandId::kDeleteKey)) << "a node with children";
  EXPECT_TRUE(states.Enabled(CommandId::kDelete)) << "Edit > Delete counts no children";
  EXPECT_TRUE(states.Enabled(CommandId::kCopyOnlyName));
  EXPECT_TRUE(states.Enabled(CommandId::kIgnore));
  EXPECT_FALSE(states.Enabled(CommandId::kCopyName)) << "no row selected";
  EXPECT_FALSE(states.Enabled(CommandId::kCopyValue));

  window.active = ActiveControl::kList;
  window.first_selected_row = "Bar";
  states = StatesOf(window);
  EXPECT_TRUE(states.Enabled(CommandId::kCopyName));
  EXPECT_TRUE(states.Enabled(CommandId::kCopyValue));
  EXPECT_FALSE(states.Enabled(CommandId::kDeleteValue)) << "a good value";
  EXPECT_FALSE(states.Enabled(CommandId::kDelete)) << "bound to Delete on the list";
  EXPECT_FALSE(states.Enabled(CommandId::kIgnore));
  window.first_selected_row = "foo";
  states = StatesOf(window);
  EXPECT_TRUE(states.Enabled(CommandId::kDeleteValue));
  EXPECT_TRUE(states.Enabled(CommandId::kDelete));
  EXPECT_TRUE(states.Enabled(CommandId::kIgnore));

  window.active = ActiveControl::kOther;
  window.node = {true, 0, true};
  window.record = nullptr;
  states = StatesOf(window);
  for (const CommandId id : {CommandId::kDelete, CommandId::kDeleteKey, CommandId::kCopyKeyName,
                             CommandId::kCopyOnlyName, CommandId::kIgnore})
    EXPECT_FALSE(states.Enabled(id)) << CommandOf(id).name << " on My Computer";
}

TEST(StatesOf, TheOptionsAreWhatTheirEntriesCheck) {
  WindowSnapshot window;
  window.options = {false, false, false, true, true};
  const CommandStates states = StatesOf(window);
  std::string checked;
  for (const Command& command : Commands())
    if (states.Checked(command.id)) checked += std::string(command.name) + " ";
  EXPECT_EQ(checked, "OptionsRestorePoint OptionsAutostart ");
  EXPECT_TRUE(states.Enabled(CommandId::kAutostart));
}

TEST(StatesOf, UndoDeleteAndSelectAllFollowTheBackupAndTheRows) {
  WindowSnapshot window;
  EXPECT_FALSE(StatesOf(window).Enabled(CommandId::kUndoDelete));
  EXPECT_FALSE(StatesOf(window).Enabled(CommandId::kSelectAll));
  window.undo_backup = true;
  window.list_rows = 2;
  EXPECT_TRUE(StatesOf(window).Enabled(CommandId::kUndoDelete));
  EXPECT_TRUE(StatesOf(window).Enabled(CommandId::kSelectAll));
}

}  // namespace
