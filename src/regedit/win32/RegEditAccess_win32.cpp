#include "regedit/win32/RegEditAccess_win32.h"

#include <shellapi.h>

#include <memory>

#include "platform/case_fold.h"
#include "regedit/RegEditAccess.h"
#include "regedit/win32/editor_controls_win32.h"
#include "regedit/win32/item_buffer_win32.h"

namespace {

constexpr DWORD kLaunchWaitMs = 10000;
// Longer than the editor's incremental-search window (about 440 ms).
constexpr DWORD kTypingPauseMs = 600;

int OsKind() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  const bool known = GetVersionExA(&version);
#pragma GCC diagnostic pop
  return GetOSKind(known, version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion);
}

void Type(HWND target, const std::vector<Keystroke>& keys) {
  for (const Keystroke& key : keys) {
    switch (key.kind) {
      case Keystroke::kLeft:
        AskEditor(target, WM_KEYDOWN, VK_LEFT, 1);
        break;
      case Keystroke::kRight:
        AskEditor(target, WM_KEYDOWN, VK_RIGHT, 1);
        break;
      case Keystroke::kChar:
        // lParam 1, the repeat count: the controls ignore a character without one.
        AskEditor(target, WM_CHAR, static_cast<unsigned char>(key.character), 1);
        break;
      case Keystroke::kPause:
        Sleep(kTypingPauseMs);
        break;
    }
  }
}

// Gives a control of the editor the keyboard focus, so that it shows its
// selection: the focus can be set only from the thread of its window's
// input, which ours joins for the moment.
void FocusEditorControl(HWND control) {
  const DWORD editor_thread = GetWindowThreadProcessId(control, nullptr);
  const DWORD own_thread = GetCurrentThreadId();
  const bool attached = AttachThreadInput(own_thread, editor_thread, TRUE);
  SetFocus(control);
  if (attached) AttachThreadInput(own_thread, editor_thread, FALSE);
}

std::string Joined(const std::vector<std::string>& components) {
  std::string path;
  for (const std::string& component : components) path += (path.empty() ? "" : "\\") + component;
  return path;
}

}  // namespace

// The editor of our own word size, whose tree's records we can write: a
// 32-bit program on 64-bit Windows starts the 32-bit editor, which also
// shows the registry view such a program scans.
std::string EditorProgram() {
  BOOL wow64 = FALSE;
  char folder[MAX_PATH] = "";
  if (IsWow64Process(GetCurrentProcess(), &wow64) && wow64 && GetSystemWow64DirectoryA(folder, MAX_PATH)) {
    const std::string own = std::string(folder) + "\\regedit.exe";
    if (GetFileAttributesA(own.c_str()) != INVALID_FILE_ATTRIBUTES) return own;
  }
  // The machine's Windows folder, not a user's private one under Terminal
  // Services.
  const UINT length = GetSystemWindowsDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return "";  // then nothing starts, and that is reported
  return std::string(folder, length) + "\\regedit.exe";
}

HWND TRegEditAccess::FindOrLaunchRegEdit() {
  HWND editor = FindWindowA(kEditorClass, nullptr);
  if (!editor) {
    const std::string program = EditorProgram();
    SHELLEXECUTEINFOA start{};
    start.cbSize = sizeof start;
    start.fMask = SEE_MASK_NOCLOSEPROCESS;
    start.lpVerb = "open";
    start.lpFile = program.c_str();
    start.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExA(&start) && start.hProcess) {
      // Idle is not enough: the window may come a moment later.
      const DWORD give_up = GetTickCount() + kLaunchWaitMs;
      WaitForInputIdle(start.hProcess, kLaunchWaitMs);
      while (!(editor = FindWindowA(kEditorClass, nullptr)) && static_cast<LONG>(give_up - GetTickCount()) > 0 &&
             WaitForSingleObject(start.hProcess, 50) == WAIT_TIMEOUT) {
      }
      CloseHandle(start.hProcess);
    }
  }
  if (!editor) {
    report_("Was unable to launch Regedit.", "RegEdit not Found");
    return nullptr;
  }
  if (IsIconic(editor)) ShowWindow(editor, SW_RESTORE);
  SetForegroundWindow(editor);
  return editor;
}

void TRegEditAccess::GotoKey(const std::string& key, const std::string& value) {
  landed_ = false;
  const HWND editor = FindOrLaunchRegEdit();
  if (!editor) return;
  const HWND tree = FindDescendant(editor, "SysTreeView32");
  const HWND list = FindDescendant(editor, "SysListView32");
  if (!tree) return;
  DWORD process_id = 0;
  GetWindowThreadProcessId(editor, &process_id);
  const std::unique_ptr<ItemBuffer> buffer = way_ == Way::kTyping             ? nullptr
                                             : UsesSharedMapping(OsKind()) ? SharedPage()
                                                                           : PageInProcess(process_id);
  if (!buffer) {
    GotoKeyByKeyboard(tree, list, key, value);
    return;
  }
  const EditorTexts texts = UsesSharedMapping(OsKind()) ? EditorTexts::kAnsi : EditorTexts::kWide;
  EditorTreeControl editor_tree(tree, *buffer, texts);
  const std::vector<std::string> components = EditorItemNames(key);
  const EditorTree::Item found = FindChildPath(editor_tree, components, editor_tree.Root());
  // Landed only where the editor's selection spells the key.
  if (!found || !EqualsNoCase(ItemPath(editor_tree, editor_tree.Selected()), Joined(components))) {
    report_("NotFound", "Error");
    return;
  }
  landed_ = true;
  FocusEditorControl(tree);
  if (!value.empty() && list) {
    EditorListControl editor_list(list, *buffer, texts);
    if (const std::optional<int> row = ValueRow(editor_list.Rows(), value)) {
      editor_list.SelectOnly(*row);
      FocusEditorControl(list);
      landed_ = editor_list.Focused().has_value();
    } else {
      Type(list, KeystrokesForValue(value));
    }
  }
  ShowWindow(editor, SW_RESTORE);
}

// Typing is all that is left when the editor's process cannot be reached:
// its incremental search decides, and nothing can be checked.
void TRegEditAccess::GotoKeyByKeyboard(HWND tree, HWND list, const std::string& key, const std::string& value) {
  FocusEditorControl(tree);
  Type(tree, KeystrokesForPath(key));
  if (!value.empty() && list) {
    FocusEditorControl(list);
    Sleep(kTypingPauseMs);
    Type(list, KeystrokesForValue(value));
  }
}
