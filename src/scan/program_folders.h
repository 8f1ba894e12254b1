#pragma once
// %ProgramFiles% and %CommonProgramFiles% mean the folders of the program
// that expands them: a value is judged as the programs that read its key
// would expand it.
#include <string_view>

#include "platform/files.h"
#include "platform/registry_views.h"
#include "scan/user_environment.h"

// Whether the text refers to %ProgramFiles% or %CommonProgramFiles%.
bool NamesProgramFolders(std::string_view text);

// Found when either is found, missing only when both are missing.
Presence EitherFound(Presence first, Presence second);

// judge(width) for each width whose programs read the key: view() is asked
// only when the text names a program folder, which alone means different
// things to different programs.
template <typename View, typename Judge>
Presence PresenceAsRead(std::string_view text, View view, Judge judge) {
  if (!NamesProgramFolders(text)) return judge(ProgramWidth::kNative);
  switch (view()) {
    case KeyView::kNative:
      return judge(ProgramWidth::kNative);
    case KeyView::kThirtyTwoBit:
      return judge(ProgramWidth::kThirtyTwoBit);
    case KeyView::kShared:
      break;
  }
  const Presence native = judge(ProgramWidth::kNative);
  return native == Presence::kFound ? native : EitherFound(native, judge(ProgramWidth::kThirtyTwoBit));
}
