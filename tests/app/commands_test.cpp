// The command table, the menus and tool bar built from it, and the rule
// that a command runs only while enabled.
#include <gtest/gtest.h>

#include <set>

#include "app/command_dispatcher.h"
#include "app/command_texts.h"
#include "app/menu_layout.h"

namespace {

std::string Describe(const std::vector<MenuEntry>& entries) {
  const FormTexts texts;
  std::string text;
  for (const MenuEntry& entry : entries) {
    if (!text.empty()) text += "; ";
    text += entry.kind == MenuEntry::Kind::kSeparator ? "-" : EntryText(entry, texts);
    if (entry.is_default) text += " (default)";
  }
  return text;
}

TEST(CommandTable, IsInTheOrderOfItsIdsWithDistinctShortcutsAndTags) {
  std::set<std::string> shortcuts;
  std::set<int> tags;
  for (std::size_t i = 0; i < kCommandCount; ++i) {
    const Command& command = Commands()[i];
    EXPECT_EQ(IndexOf(command.id), i) << command.name;
    const std::string keys = ShortcutText(command.shortcut, ShortcutKeyNames{});
    if (!keys.empty()) {
      EXPECT_TRUE(shortcuts.insert(keys).second) << keys;
    }
    if (command.tag > 0) {
      EXPECT_TRUE(tags.insert(command.tag).second) << command.name;
    }
  }
  EXPECT_EQ(shortcuts, (std::set<std::string>{"F5", "Shift+F5", "Ctrl+S", "Ctrl+A", "Ctrl+Del", "Ctrl+C", "Ctrl+D", "F2", "Ctrl+Z"}));
}

TEST(CommandTable, StatesAtStart) {
  const CommandStates states;
  std::set<std::string> enabled;
  for (const Command& command : Commands())
    if (states.Enabled(command.id)) enabled.insert(command.name);
  EXPECT_EQ(enabled, (std::set<std::string>{"ActionStart", "ActionClose", "ActionCopyKeyName", "ViewAllValues",
                                            "HelpContents1", "ActionRegEdit", "ActionBackups",
                                            "OptionsRestorePoint", "ViewToolBar", "ViewStatusBar",
                                            "OptionsAutostart", "HelpAbout", "ActionCopyOnlyName", "ActionCopyName",
                                            "ActionCopyValue", "ActionRestoreBackup", "OptionsIgnoredItems"}));
  EXPECT_FALSE(states.Checked(CommandId::kRestorePoint)) << "no restore point unless asked for";
  EXPECT_TRUE(states.Checked(CommandId::kAllValues));
  EXPECT_FALSE(states.Checked(CommandId::kStart));
}

TEST(MenuLayout, MenusAndToolBarListTheirEntriesInOrder) {
  std::vector<std::string> menus;
  for (const Menu& menu : MainMenu()) menus.push_back(FormTexts().Text(menu.text) + ": " + Describe(menu.entries));
  EXPECT_EQ(menus, (std::vector<std::string>{
                       "File: Start\tF5; Stop\tShift+F5; -; Save as..\tCtrl+S; Send; Restore backup..; &Backups..; -; "
                       "Exit",
                       "Edit: &Undo Delete\tCtrl+Z; -; Select &All\tCtrl+A; Delete; Delete All\tCtrl+Del; &Ignore; -; Copy Key Name\tCtrl+C",
                       "View: ToolBar; StatusBar; All Values",
                       "Options: Autostart; Ignored items..; Create a &restore point before Delete All; Language..",
                       "Help: &Contents; &About..",
                   }));
  EXPECT_EQ(Describe(TreePopupMenu()),
            "RegEdit\tF2 (default); Delete Key\tCtrl+D; &Ignore; -; Delete All\tCtrl+Del; -; Copy Key Name\tCtrl+C; "
            "Copy Only Name");
  EXPECT_EQ(Describe(ListPopupMenu()),
            "RegEdit\tF2 (default); Delete; &Ignore; -; Copy Name; Copy Value; Select &All\tCtrl+A");
  EXPECT_EQ(Describe(ToolBarButtons()),
            "Start\tF5; Stop\tShift+F5; -; Save as..\tCtrl+S; Send; -; Delete Key\tCtrl+D; -; RegEdit\tF2; -; "
            "All Values");
}

TEST(CommandTexts, TooltipsAreHintsOrCaptionsWithoutTheirMark) {
  CommandTexts texts;
  EXPECT_EQ(texts.Tooltip(CommandId::kSend), "Sending");
  EXPECT_EQ(texts.Tooltip(CommandId::kAllValues), "All Values");
  texts.SetHint(CommandId::kStart, "&Start");
  EXPECT_EQ(texts.Tooltip(CommandId::kStart), "Start");
  texts.SetCaption(CommandId::kSelectAll, "Tout &s\xE9lectionner && plus&");
  EXPECT_EQ(texts.Tooltip(CommandId::kSelectAll), "Tout s\xE9lectionner & plus");
}

class DispatcherTest : public testing::Test {
 protected:
  WindowSnapshot window_;
  CommandDispatcher dispatcher_{[this] { return window_; }};
  int runs_ = 0;
};

TEST_F(DispatcherTest, ACommandRunsOnlyWhileEnabledAndWithAHandler) {
  EXPECT_FALSE(dispatcher_.Execute(CommandId::kStart)) << "no handler yet";
  dispatcher_.SetHandler(CommandId::kStart, [this] { ++runs_; });
  EXPECT_TRUE(dispatcher_.Execute(CommandId::kStart));
  window_.scanning = true;
  EXPECT_FALSE(dispatcher_.Execute(CommandId::kStart));
  EXPECT_EQ(runs_, 1);
}

TEST_F(DispatcherTest, UpdateRulesDecideFromTheWindowAndRunBeforeTheirCommand) {
  dispatcher_.SetHandler(CommandId::kSaveToFile, [this] { ++runs_; });
  dispatcher_.SetHandler(CommandId::kSelectAll, [this] { ++runs_; });
  dispatcher_.Update();
  EXPECT_FALSE(dispatcher_.States().Enabled(CommandId::kSend)) << "only My Computer";
  window_.tree_nodes = 2;
  // Not idle since the tree grew: the rule still runs first.
  EXPECT_TRUE(dispatcher_.Execute(CommandId::kSaveToFile));
  EXPECT_FALSE(dispatcher_.Execute(CommandId::kSelectAll));
  window_.list_rows = 1;
  dispatcher_.Update();
  EXPECT_TRUE(dispatcher_.States().Enabled(CommandId::kSend));
  EXPECT_TRUE(dispatcher_.States().Enabled(CommandId::kSelectAll));
  window_ = {};
  EXPECT_FALSE(dispatcher_.Execute(CommandId::kSaveToFile));
  EXPECT_EQ(runs_, 1);
}

TEST_F(DispatcherTest, UndoDeleteRunsOnlyOnceADeletionOfThisRunWroteABackup) {
  dispatcher_.SetHandler(CommandId::kUndoDelete, [this] { ++runs_; });
  window_.undo_backup = true;
  dispatcher_.Update();
  window_.undo_backup = false;
  EXPECT_FALSE(dispatcher_.Execute(CommandId::kUndoDelete)) << "the rule greys it first";
  window_.undo_backup = true;
  EXPECT_TRUE(dispatcher_.Execute(CommandId::kUndoDelete));
  EXPECT_EQ(runs_, 1);
}

TEST_F(DispatcherTest, EveryStateIsDecidedAgainFromTheWindowAtEachUpdate) {
  window_.tree_nodes = 3;
  window_.scanning = true;
  dispatcher_.Update();
  EXPECT_FALSE(dispatcher_.States().Enabled(CommandId::kDeleteAll));
  EXPECT_FALSE(dispatcher_.States().Enabled(CommandId::kStart));
  window_.scanning = false;
  window_.options.all_values = false;
  EXPECT_TRUE(dispatcher_.States().Checked(CommandId::kAllValues)) << "until the next update";
  dispatcher_.Update();
  EXPECT_EQ(dispatcher_.States(), StatesOf(window_));
  EXPECT_TRUE(dispatcher_.States().Enabled(CommandId::kDeleteAll));
  EXPECT_FALSE(dispatcher_.States().Checked(CommandId::kAllValues));
}

}  // namespace
