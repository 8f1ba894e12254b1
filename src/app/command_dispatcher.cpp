#include "app/command_dispatcher.h"

bool CommandDispatcher::Execute(CommandId id) {
  if (HasUpdateRule(id)) ApplyUpdateRule(id, snapshot_(), states_);
  const Handler& handler = handlers_[IndexOf(id)];
  if (!states_.Enabled(id) || !handler) return false;
  handler();
  return true;
}
