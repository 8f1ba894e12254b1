#include "app/command_dispatcher.h"

bool CommandDispatcher::Execute(CommandId id) {
  Update();
  const Handler& handler = handlers_[IndexOf(id)];
  if (!states_.Enabled(id) || !handler) return false;
  handler();
  return true;
}
