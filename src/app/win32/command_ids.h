#pragma once
// WM_COMMAND numbers of the commands, the plain menu entries and the
// languages.
#include "app/commands.h"
#include "app/menu_layout.h"

inline constexpr int kFirstCommandId = 40001;
inline constexpr int kFirstMenuItemId = 41001;
inline constexpr int kFirstLanguageId = 42001;

inline int WmIdOf(CommandId id) { return kFirstCommandId + static_cast<int>(id); }
inline int WmIdOf(MenuItemId id) { return kFirstMenuItemId + static_cast<int>(id); }

inline bool IsCommandWmId(int wm_id) {
  return wm_id >= kFirstCommandId && wm_id < kFirstCommandId + static_cast<int>(kCommandCount);
}
inline CommandId CommandOfWmId(int wm_id) { return static_cast<CommandId>(wm_id - kFirstCommandId); }
inline bool IsMenuItemWmId(int wm_id) { return wm_id >= kFirstMenuItemId && wm_id < kFirstMenuItemId + kMenuItemCount; }
inline MenuItemId MenuItemOfWmId(int wm_id) { return static_cast<MenuItemId>(wm_id - kFirstMenuItemId); }
inline constexpr int kMaxLanguages = 1000;
inline bool IsLanguageWmId(int wm_id) { return wm_id >= kFirstLanguageId && wm_id < kFirstLanguageId + kMaxLanguages; }
