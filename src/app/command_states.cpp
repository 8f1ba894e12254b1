#include "app/command_states.h"

CommandStates::CommandStates() {
  for (const Command& command : Commands()) {
    SetEnabled(command.id, command.enabled_at_start);
    SetChecked(command.id, command.checked_at_start);
  }
}

bool HasUpdateRule(CommandId id) {
  return id == CommandId::kSaveToFile || id == CommandId::kSend || id == CommandId::kSelectAll ||
         id == CommandId::kUndoDelete;
}

void ApplyUpdateRule(CommandId id, const WindowSnapshot& window, CommandStates& states) {
  switch (id) {
    case CommandId::kSaveToFile:
    case CommandId::kSend:
      // Something below "My Computer" to save.
      states.SetEnabled(id, window.tree_nodes > 1);
      break;
    case CommandId::kSelectAll:
      states.SetEnabled(id, window.list_rows > 0);
      break;
    case CommandId::kUndoDelete:
      states.SetEnabled(id, window.undo_backup);
      break;
    default:
      break;
  }
}

void ApplyUpdateRules(const WindowSnapshot& window, CommandStates& states) {
  for (const Command& command : Commands()) ApplyUpdateRule(command.id, window, states);
}
