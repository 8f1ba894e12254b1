#include "app/win32/accelerators.h"

#include <vector>

#include "app/commands.h"
#include "app/win32/command_ids.h"

UniqueAccelerators MakeCommandAccelerators() {
  std::vector<ACCEL> table;
  for (const Command& command : Commands()) {
    const Shortcut& keys = command.shortcut;
    if (keys.key == Key::kNone) continue;
    BYTE flags = FVIRTKEY;
    if (keys.ctrl) flags |= FCONTROL;
    if (keys.shift) flags |= FSHIFT;
    table.push_back({flags, static_cast<WORD>(keys.key), static_cast<WORD>(WmIdOf(command.id))});
  }
  return UniqueAccelerators(CreateAcceleratorTableA(table.data(), static_cast<int>(table.size())));
}
