#pragma once
// System Restore through the system folder's srclient.dll, loaded only when
// a restore point is asked for.
#include <memory>
#include <optional>

#include "app/restore_point.h"
#include "platform/win32/system_library_win32.h"

class Win32SystemRestore : public SystemRestore {
 public:
  bool Available() override;
  RestorePointAnswer Begin(const std::string& description) override;
  RestorePointAnswer End(std::int64_t sequence) override;
  // The list of points lies behind WMI, which this program does not link:
  // none, so an accepted request is reported as made or reused.
  std::optional<RestorePointInfo> Newest() override { return std::nullopt; }
  std::string ErrorText(std::uint32_t status) override;

 private:
  RestorePointAnswer Call(int event_type, int point_type, std::int64_t sequence, const std::string& description);
  // Loaded at the first question: most runs never ask.
  void* SetPointFunction();

  std::unique_ptr<SystemLibrary> library_;
};
