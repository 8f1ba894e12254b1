#include "app/command_states.h"

CommandStates::CommandStates() {
  for (const Command& command : Commands()) {
    SetEnabled(command.id, command.enabled_at_start);
    SetChecked(command.id, command.checked_at_start);
  }
}

namespace {

void SetSelectionStates(const WindowSnapshot& window, CommandStates& states) {
  const NodeCommandStates node = TreeSelectionRule(window.node);
  states.SetEnabled(CommandId::kDeleteKey, node.delete_key);
  states.SetEnabled(CommandId::kCopyKeyName, node.copy_key_name);
  states.SetEnabled(CommandId::kCopyOnlyName, node.copy_only_name);
  const ListPopupStates list = ListPopupRule(window.first_selected_row, window.record);
  states.SetEnabled(CommandId::kCopyName, list.copy_name);
  states.SetEnabled(CommandId::kCopyValue, list.copy_value);
  states.SetEnabled(CommandId::kDeleteValue, list.delete_value);
  states.SetEnabled(CommandId::kIgnore, IgnoreRule(window.active, window.record, window.first_selected_row));
  // Edit > Delete follows the Edit menu's rule, which counts no children.
  const EditMenuStates edit = EditMenuRule(window.active, window.node);
  states.SetEnabled(CommandId::kDelete, edit.binding == DeleteBinding::kDeleteKey     ? edit.delete_key
                                        : edit.binding == DeleteBinding::kDeleteValue ? list.delete_value
                                                                                      : false);
}

}  // namespace

CommandStates StatesOf(const WindowSnapshot& window) {
  CommandStates states;
  const bool found = window.tree_nodes > 1;  // something below "My Computer"
  states.SetEnabled(CommandId::kStart, !window.scanning);
  states.SetEnabled(CommandId::kStop, window.scanning);
  states.SetEnabled(CommandId::kDeleteAll, !window.scanning && found);
  states.SetEnabled(CommandId::kSaveToFile, found);
  states.SetEnabled(CommandId::kSend, found);
  states.SetEnabled(CommandId::kSelectAll, window.list_rows > 0);
  states.SetEnabled(CommandId::kUndoDelete, window.undo_backup);
  if (window.node.exists) SetSelectionStates(window, states);
  const WindowOptions& options = window.options;
  states.SetChecked(CommandId::kToolBar, options.tool_bar);
  states.SetChecked(CommandId::kStatusBar, options.status_bar);
  states.SetChecked(CommandId::kAllValues, options.all_values);
  states.SetChecked(CommandId::kAutostart, options.auto_start);
  states.SetChecked(CommandId::kRestorePoint, options.restore_point);
  return states;
}
