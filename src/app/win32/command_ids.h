#pragma once
// WM_COMMAND numbers of the commands and the languages.
#include "app/commands.h"

inline constexpr int kFirstCommandId = 40001;
inline constexpr int kFirstLanguageId = 42001;

inline int WmIdOf(CommandId id) { return kFirstCommandId + static_cast<int>(id); }

inline bool IsCommandWmId(int wm_id) {
  return wm_id >= kFirstCommandId && wm_id < kFirstCommandId + static_cast<int>(kCommandCount);
}
inline CommandId CommandOfWmId(int wm_id) { return static_cast<CommandId>(wm_id - kFirstCommandId); }
inline constexpr int kMaxLanguages = 1000;
inline bool IsLanguageWmId(int wm_id) { return wm_id >= kFirstLanguageId && wm_id < kFirstLanguageId + kMaxLanguages; }
