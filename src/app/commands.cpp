#include "app/commands.h"

#include "lang/message_numbers.h"

namespace {

constexpr Shortcut kNoKey{};
constexpr Shortcut Plain(Key key) { return {key, false, false}; }
constexpr Shortcut Ctrl(Key key) { return {key, true, false}; }
constexpr Shortcut Shift(Key key) { return {key, false, true}; }

// In the order of CommandId.
constexpr std::array<Command, kCommandCount> kCommands{{
    {CommandId::kStart, "ActionStart", "Start", "Start", Plain(Key::kF5), kMsgStart + 1, Picture::kStart, true, false},
    {CommandId::kStop, "ActionStop", "Stop", "Stop", Shift(Key::kF5), kMsgStop + 1, Picture::kStop, false, false},
    {CommandId::kSaveToFile, "ActionSaveToFile", "Save as..", "Save as..", Ctrl(Key::kS), kMsgSaveAs + 1,
     Picture::kSave, false, false},
    {CommandId::kSend, "ActionSend", "Send", "Sending", kNoKey, kMsgSend + 1, Picture::kSend, false, false},
    {CommandId::kClose, "ActionClose", "Exit", "", kNoKey, kMsgExit + 1, Picture::kNone, true, false},
    {CommandId::kSelectAll, "EditSelectAll1", "Select &All", "", Ctrl(Key::kA), kMsgSelectAll + 1, Picture::kNone,
     false, false},
    {CommandId::kDeleteAll, "ActionDeleteAll", "Delete All", "", Ctrl(Key::kDelete), kMsgDeleteAll + 1, Picture::kNone,
     false, false},
    {CommandId::kCopyKeyName, "ActionCopyKeyName", "Copy Key Name", "", Ctrl(Key::kC), kMsgCopyKeyName + 1,
     Picture::kNone, true, false},
    {CommandId::kAllValues, "ViewAllValues", "All Values", "", kNoKey, kMsgAllValues + 1, Picture::kAllValues, true,
     true},
    {CommandId::kHelpContents, "HelpContents1", "&Contents", "", kNoKey, kMsgHelp + 1, Picture::kNone, true, false},
    {CommandId::kDeleteKey, "ActionDeleteKey", "Delete Key", "Delete Key", Ctrl(Key::kD), kMsgDeleteKey + 1,
     Picture::kDelete, false, false},
    {CommandId::kDeleteValue, "ActionDeleteValue", "Delete", "Delete", kNoKey, kMsgDeleteValue + 1, Picture::kNone,
     false, false},
    {CommandId::kRegEdit, "ActionRegEdit", "RegEdit", "RegEdit", Plain(Key::kF2), 0, Picture::kRegEdit, true, false},
    {CommandId::kIgnore, "ActionIgnore", "&Ignore", "", kNoKey, kMsgIgnore + 1, Picture::kNone, false, false},
    {CommandId::kBackups, "ActionBackups", "&Backups..", "", kNoKey, kMsgBackups + 1, Picture::kNone, true, false},
    {CommandId::kUndoDelete, "ActionUndoDelete", "&Undo Delete", "", Ctrl(Key::kZ), kMsgUndoDelete + 1,
     Picture::kNone, false, false},
    {CommandId::kRestorePoint, "OptionsRestorePoint", "Create a &restore point before Delete All", "", kNoKey,
     kMsgRestorePointOption + 1, Picture::kNone, true, false},
    {CommandId::kToolBar, "ViewToolBar", "ToolBar", "", kNoKey, kMsgToolBar + 1, Picture::kNone, true, true},
    {CommandId::kStatusBar, "ViewStatusBar", "StatusBar", "", kNoKey, kMsgStatusBar + 1, Picture::kNone, true, true},
    {CommandId::kAutostart, "OptionsAutostart", "Autostart", "", kNoKey, kMsgAutostart + 1, Picture::kNone, true,
     false},
    {CommandId::kAbout, "HelpAbout", "&About..", "", kNoKey, kMsgAbout + 1, Picture::kNone, true, false},
    {CommandId::kDelete, "EditDelete", "Delete", "", kNoKey, 0, Picture::kNone, false, false},
    {CommandId::kCopyOnlyName, "ActionCopyOnlyName", "Copy Only Name", "", kNoKey, kMsgCopyOnlyName + 1,
     Picture::kNone, true, false},
    {CommandId::kCopyName, "ActionCopyName", "Copy Name", "", kNoKey, 0, Picture::kNone, true, false},
    {CommandId::kCopyValue, "ActionCopyValue", "Copy Value", "", kNoKey, 0, Picture::kNone, true, false},
    {CommandId::kRestoreBackup, "ActionRestoreBackup", "Restore backup..", "", kNoKey, kMsgRestoreBackup + 1,
     Picture::kNone, true, false},
    {CommandId::kIgnoredItems, "OptionsIgnoredItems", "Ignored items..", "", kNoKey, kMsgIgnoredItems + 1,
     Picture::kNone, true, false},
}};

std::string KeyName(Key key, const ShortcutKeyNames& names) {
  switch (key) {
    case Key::kNone: return "";
    case Key::kF2: return "F2";
    case Key::kF5: return "F5";
    case Key::kDelete: return names.del;
    default: return std::string(1, static_cast<char>(key));
  }
}

}  // namespace

const std::array<Command, kCommandCount>& Commands() { return kCommands; }

const Command& CommandOf(CommandId id) { return kCommands[IndexOf(id)]; }

std::string ShortcutText(const Shortcut& shortcut, const ShortcutKeyNames& names) {
  if (shortcut.key == Key::kNone) return "";
  std::string text;
  if (shortcut.ctrl) text += names.ctrl + "+";
  if (shortcut.shift) text += names.shift + "+";
  return text + KeyName(shortcut.key, names);
}

std::string MenuText(const std::string& caption, const Shortcut& shortcut, const ShortcutKeyNames& names) {
  const std::string keys = ShortcutText(shortcut, names);
  return keys.empty() ? caption : caption + "\t" + keys;
}
