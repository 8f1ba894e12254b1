#pragma once
// The enabled and checked state of every command, and the update rules that
// decide some of them from a snapshot of the window.
#include <array>

#include "app/commands.h"

// What the update rules look at.
struct WindowSnapshot {
  int tree_nodes = 1;  // "My Computer" counts
  int list_rows = 0;
  bool undo_backup = false;  // a deletion of this run wrote a backup
};

class CommandStates {
 public:
  CommandStates();  // the states at start-up

  bool Enabled(CommandId id) const { return enabled_[IndexOf(id)]; }
  bool Checked(CommandId id) const { return checked_[IndexOf(id)]; }
  void SetEnabled(CommandId id, bool enabled) { enabled_[IndexOf(id)] = enabled; }
  void SetChecked(CommandId id, bool checked) { checked_[IndexOf(id)] = checked; }
  bool operator==(const CommandStates&) const = default;

 private:
  std::array<bool, kCommandCount> enabled_{};
  std::array<bool, kCommandCount> checked_{};
};

// Save as.., Send, Select All and Undo Delete: their enabled state is their
// rule's.
bool HasUpdateRule(CommandId id);
// Sets the enabled state of a command that has a rule; others are left alone.
void ApplyUpdateRule(CommandId id, const WindowSnapshot& window, CommandStates& states);
void ApplyUpdateRules(const WindowSnapshot& window, CommandStates& states);
