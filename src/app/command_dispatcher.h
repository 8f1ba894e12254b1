#pragma once
// Runs commands: whichever way a command is invoked (menu, tool button,
// shortcut, a double click), it runs only while enabled in the window as it
// is at that moment.
#include <array>
#include <functional>

#include "app/command_states.h"

class CommandDispatcher {
 public:
  using Handler = std::function<void()>;
  using SnapshotSource = std::function<WindowSnapshot()>;

  explicit CommandDispatcher(SnapshotSource snapshot) : snapshot_(std::move(snapshot)) {}

  // The states of the last update.
  const CommandStates& States() const { return states_; }
  void SetHandler(CommandId id, Handler handler) { handlers_[IndexOf(id)] = std::move(handler); }

  // The states of the window as it is now: when the program goes idle, when
  // a menu opens, after a command.
  void Update() { states_ = StatesOf(snapshot_()); }
  // Updates first. False when the command is disabled (or has no handler)
  // and nothing ran.
  bool Execute(CommandId id);

 private:
  SnapshotSource snapshot_;
  CommandStates states_;
  std::array<Handler, kCommandCount> handlers_;
};
