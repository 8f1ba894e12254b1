#pragma once
// The user's commands: one table from which the main menu entries, the
// tool buttons, their tooltips and the keyboard shortcuts are all built.
#include <array>
#include <cstddef>
#include <string>

enum class CommandId {
  kStart,
  kStop,
  kSaveToFile,
  kSend,
  kClose,
  kSelectAll,
  kDeleteAll,
  kCopyKeyName,
  kAllValues,
  kHelpContents,
  kDeleteKey,
  kDeleteValue,
  kRegEdit,
  kIgnore,
  kBackups,       // File > Backups..: the restore center
  kUndoDelete,    // restores the backup of this run's last deletion
  kRestorePoint,  // Options: a restore point before Delete All
  kToolBar,       // View > ToolBar: shows or hides it
  kStatusBar,     // View > StatusBar
  kAutostart,     // Options > Autostart: a scan when the program next starts
  kAbout,         // Help > About..
  kDelete,        // Edit > Delete: Delete Key or Delete, as the active control says
  kCopyOnlyName,  // the tree's Copy Only Name: the node's own name
  kCopyName,      // the list's Copy Name
  kCopyValue,     // the list's Copy Value
  kRestoreBackup, // File > Restore backup..: a backup file of one's choice
  kIgnoredItems,  // Options > Ignored items..
};
inline constexpr std::size_t kCommandCount = 27;

// Keys a shortcut can use, numbered as Windows numbers its virtual keys.
enum class Key : unsigned char {
  kNone = 0,
  kA = 'A',
  kC = 'C',
  kD = 'D',
  kS = 'S',
  kZ = 'Z',
  kF2 = 0x71,
  kF5 = 0x74,
  kDelete = 0x2E,
};

struct Shortcut {
  Key key = Key::kNone;
  bool ctrl = false;
  bool shift = false;
  bool operator==(const Shortcut&) const = default;
};

// The tool-bar pictures, in image-list order.
enum class Picture { kNone = -1, kStart, kStop, kSave, kSend, kDelete, kRegEdit, kAllValues };

struct Command {
  CommandId id;
  const char* name;     // the action's name, for tests and messages
  const char* caption;  // built-in English text
  const char* hint;     // tooltip; empty: none of its own
  Shortcut shortcut;
  int tag;              // above 0: message Tag - 1 replaces the caption
  Picture picture;
  bool enabled_at_start;
  bool checked_at_start;
};

const std::array<Command, kCommandCount>& Commands();
const Command& CommandOf(CommandId id);
inline std::size_t IndexOf(CommandId id) { return static_cast<std::size_t>(id); }

// The words of shortcut texts that a language spells its own way.
struct ShortcutKeyNames {
  std::string ctrl = "Ctrl";
  std::string shift = "Shift";
  std::string del = "Del";
};

// "F5", "Shift+F5", "Ctrl+S", "Ctrl+Del" in the words given; empty for no
// shortcut.
std::string ShortcutText(const Shortcut& shortcut, const ShortcutKeyNames& names);
// A menu entry's text: the caption, a tab and the shortcut when it has one.
std::string MenuText(const std::string& caption, const Shortcut& shortcut, const ShortcutKeyNames& names);
