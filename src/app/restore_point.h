#pragma once
// A system restore point around Delete All, and an honest account of it:
// Windows may decline (System Protection off), silently reuse a point made
// in the last 24 hours while answering success, or answer failure with no
// reason at all (Wine). The summary says which.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/registry.h"

class TLangv;

// One answer of the system's restore point function.
struct RestorePointAnswer {
  bool ok = false;
  std::uint32_t status = 0;   // the error when not ok
  std::int64_t sequence = 0;  // the point's number when ok
};

struct RestorePointInfo {
  std::int64_t sequence = 0;
  std::string time;  // as the user reads it
};

// The system's restore points, as far as it lets them be seen.
class SystemRestore {
 public:
  virtual ~SystemRestore() = default;
  // Whether the system has the restore point function at all.
  virtual bool Available() = 0;
  virtual RestorePointAnswer Begin(const std::string& description) = 0;
  virtual RestorePointAnswer End(std::int64_t sequence) = 0;
  // The newest restore point; none when there is none or the list cannot be read.
  virtual std::optional<RestorePointInfo> Newest() = 0;
  // The system's text for an error number.
  virtual std::string ErrorText(std::uint32_t status) = 0;
};

enum class RestorePointOutcome {
  kMade,
  kMadeOrReused,   // accepted, but the points cannot be read to tell which
  kReused,         // accepted, and no new point appeared: a recent one stands in
  kProtectionOff,  // System Protection is off for the system drive
  kNoReason,       // declined without an error
  kUnavailable,    // no restore point function on this system
  kFailed,
};

struct RestorePointResult {
  RestorePointOutcome outcome = RestorePointOutcome::kUnavailable;
  std::int64_t sequence = 0;
  std::string point_time;  // kReused: the standing point's time, when known
  std::uint32_t status = 0;
  std::string error;  // kFailed: the system's text
};

// The system's answer when System Restore is turned off.
inline constexpr std::uint32_t kRestoreServiceDisabled = 1058;

// Begins a point before the first deletion and ends it after the last.
class RestorePointSpan {
 public:
  explicit RestorePointSpan(SystemRestore& system) : system_(system) {}
  ~RestorePointSpan() { End(); }  // a point begun is never left open
  RestorePointSpan(const RestorePointSpan&) = delete;
  RestorePointSpan& operator=(const RestorePointSpan&) = delete;
  RestorePointResult Begin(const std::string& description);
  // Ends a point that was begun; nothing otherwise.
  void End();

 private:
  SystemRestore& system_;
  std::optional<std::int64_t> begun_;
};

// The option, "RestorePoint" below the settings key: off unless stored as 1.
bool ReadRestorePointOption(Registry& registry);
bool WriteRestorePointOption(Registry& registry, bool on);

// The sentence of the Delete All summary, in the interface's language.
std::string RestorePointText(const RestorePointResult& result, const TLangv& texts);
