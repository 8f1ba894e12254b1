#pragma once
// TRegEditAccess: finds the running registry editor or starts it, and
// brings it to a key and value by querying its tree and list item by item
// through a buffer its process can address. When no such buffer can be
// had, it types the path instead. It reports failures through the given
// callback (text, caption); no wait is unbounded.
#include <windows.h>

#include <functional>
#include <string>

#include "regedit/navigator.h"

class TRegEditAccess : public RegistryNavigator {
 public:
  using Report = std::function<void(const std::string& text, const std::string& caption)>;
  static constexpr const char* kEditorClass = "RegEdit_RegEdit";

  enum class Way { kQuery, kTyping };

  explicit TRegEditAccess(Report report, Way way = Way::kQuery) : report_(std::move(report)), way_(way) {}

  void GotoKey(const std::string& key, const std::string& value) override;
  // How the last navigation went, for whoever checks: true when the
  // editor's selection spells the key (and its focused row the value).
  bool LastLanded() const { return landed_; }

 private:
  HWND FindOrLaunchRegEdit();
  void GotoKeyByKeyboard(HWND tree, HWND list, const std::string& key, const std::string& value);

  Report report_;
  Way way_;  // kTyping: as when the editor's process cannot be reached
  bool landed_ = false;
};

// The full path of the registry editor the navigator starts. Never a bare
// name: ShellExecuteEx looks for that in the current folder first, where
// anyone may have put a "regedit.exe" to be run with our rights.
std::string EditorProgram();
