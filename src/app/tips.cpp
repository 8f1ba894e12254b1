#include "app/tips.h"

#include "lang/langv.h"
#include "lang/message_numbers.h"
#include "platform/registry_accessor.h"
#include "platform/registry_errors.h"
#include "platform/settings_key.h"
#include "platform/root_keys.h"

namespace {
constexpr const char* kShowTipsValue = "ShowTips";
}

TipCycle::TipCycle(const TLangv& langv)
    : next_caption_(langv.GetMsg(kMsgTipNext) + ">"),
      close_caption_(langv.GetMsg(kMsgTipClose)),
      title_(langv.GetMsg(kMsgTipTitle)),
      heading_(langv.GetMsg(kMsgTipHeading)),
      show_at_startup_(langv.GetMsg(kMsgTipShowAtStartup)) {
  for (int i = 0; i < kTipCount; ++i) FTips[i] = langv.GetMsg(kMsgFirstTip + i);
}

bool ReadShowTips(Registry& registry) {
  RegistryAccessor reg(registry, kHkeyCurrentUser);
  if (!reg.OpenKeyReadOnly(kSettingsKey) || !reg.ValueExists(kShowTipsValue)) return true;
  try {
    return reg.ReadInteger(kShowTipsValue) != 0;
  } catch (const RegistryError&) {
    return true;  // not a number: as if nothing were stored
  }
}

void WriteShowTips(Registry& registry, bool show) {
  RegistryAccessor reg(registry, kHkeyCurrentUser);
  if (reg.OpenKeyWrite(kSettingsKey)) reg.WriteInteger(kShowTipsValue, show);
}
