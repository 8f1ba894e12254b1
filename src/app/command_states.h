#pragma once
// The enabled and checked state of every command: one function of one
// snapshot of the window.
#include <array>
#include <optional>
#include <string>

#include "app/command_rules.h"
#include "app/commands.h"

// The window's options, which the View and Options menus check.
struct WindowOptions {
  bool tool_bar = true;
  bool status_bar = true;
  bool all_values = true;
  bool auto_start = false;
  bool restore_point = false;  // a restore point before Delete All
  bool operator==(const WindowOptions&) const = default;
};

// What the states are decided from.
struct WindowSnapshot {
  SelectedNode node;                    // the tree's selection; none before the first
  const TErrorClass* record = nullptr;  // the selected node's problem; null for none
  ActiveControl active = ActiveControl::kOther;
  std::optional<std::string> first_selected_row;  // of the value list
  bool scanning = false;
  int tree_nodes = 1;  // "My Computer" counts
  int list_rows = 0;
  bool undo_backup = false;  // a deletion of this run wrote a backup
  WindowOptions options;
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

// Every command's state in the window the snapshot shows. Until a node is
// first selected, the commands of the selection keep their start states.
CommandStates StatesOf(const WindowSnapshot& window);
