#include "app/restore_point.h"

#include "lang/langv.h"
#include "lang/message_numbers.h"
#include "platform/settings_key.h"
#include "platform/root_keys.h"

namespace {

constexpr const char* kOptionValue = "RestorePoint";

}  // namespace

bool ReadRestorePointOption(Registry& registry) {
  const std::unique_ptr<RegKey> key = registry.OpenRead(kHkeyCurrentUser, kSettingsKey);
  const std::optional<RegValue> value = key ? key->QueryValue(kOptionValue) : std::nullopt;
  return value && value->type == kRegDword && value->data.size() == 4 && value->data[0] == 1 &&
         value->data[1] == 0 && value->data[2] == 0 && value->data[3] == 0;
}

bool WriteRestorePointOption(Registry& registry, bool on) {
  const std::unique_ptr<RegKey> key = registry.OpenWrite(kHkeyCurrentUser, kSettingsKey);
  return key && key->SetValue(kOptionValue, RegValue{kRegDword, {static_cast<std::uint8_t>(on ? 1 : 0), 0, 0, 0}});
}

RestorePointResult RestorePointSpan::Begin(const std::string& description) {
  RestorePointResult result;
  if (!system_.Available()) return result;
  const std::optional<RestorePointInfo> before = system_.Newest();
  const RestorePointAnswer answer = system_.Begin(description);
  if (!answer.ok) {
    result.status = answer.status;
    if (answer.status == kRestoreServiceDisabled) {
      result.outcome = RestorePointOutcome::kProtectionOff;
    } else if (answer.status == 0) {
      result.outcome = RestorePointOutcome::kNoReason;
    } else {
      result.outcome = RestorePointOutcome::kFailed;
      result.error = system_.ErrorText(answer.status);
    }
    return result;
  }
  begun_ = answer.sequence;
  result.sequence = answer.sequence;
  const std::optional<RestorePointInfo> after = system_.Newest();
  if (!after) {
    result.outcome = RestorePointOutcome::kMadeOrReused;
  } else if (before && after->sequence == before->sequence) {
    result.outcome = RestorePointOutcome::kReused;
    result.point_time = before->time;
  } else {
    result.outcome = RestorePointOutcome::kMade;
    result.sequence = after->sequence;
  }
  return result;
}

void RestorePointSpan::End() {
  if (!begun_) return;
  system_.End(*begun_);
  begun_.reset();
}

std::string RestorePointText(const RestorePointResult& result, const TLangv& texts) {
  const std::string number = std::to_string(result.sequence);
  switch (result.outcome) {
    case RestorePointOutcome::kMade:
      return FillIn(texts.GetMsg(kMsgPointMade), {number});
    case RestorePointOutcome::kMadeOrReused:
      return FillIn(texts.GetMsg(kMsgPointMadeOrReused), {number});
    case RestorePointOutcome::kReused:
      return FillIn(texts.GetMsg(kMsgPointReused),
                    {result.point_time.empty() ? std::string() : " (" + result.point_time + ")"});
    case RestorePointOutcome::kProtectionOff:
      return texts.GetMsg(kMsgPointProtectionOff);
    case RestorePointOutcome::kNoReason:
      return texts.GetMsg(kMsgPointNoReason);
    case RestorePointOutcome::kUnavailable:
      return texts.GetMsg(kMsgPointUnavailable);
    case RestorePointOutcome::kFailed:
      return FillIn(texts.GetMsg(kMsgPointFailed), {std::to_string(result.status)}) +
             (result.error.empty() ? std::string() : ": " + result.error);
  }
  return "";
}
