// F2 in the window opens the system registry editor at the selected
// problem's key and value. The editor is another process: it sees the real
// registry, so the problem is planted in a sandbox key of the real one.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "app/win32/main.h"
#include "app/win32/message_loop.h"
#include "app/win32/version_record_win32.h"
#include "main_window_fixture_win32.h"
#include "regedit/win32/RegEditAccess_win32.h"
#include "regedit/win32/editor_controls_win32.h"

namespace {

TEST(RegEditFromTheWindow, F2OpensTheEditorAtTheSelectedProblemAndValue) {
  RegistrySandbox sandbox(RegistrySandbox::Mode::kKeyOnly);
  Win32Registry registry;
  registry.OpenWrite(kHkeyCurrentUser, sandbox.KeyPath() + "\\Run")
      ->SetValue("Gone", {kRegSz, {'C', ':', '\\', 'N', 'o', 'w', 'h', 'e', 'r', 'e', '\\', 'x', '.', 'e', 'x', 'e', 0}});
  ScopedTempFolder folder("f2");
  ProgramFolderFiles files;
  files.folder = folder.Path();
  files.WriteFileAtomic(folder.Path() + "Knowbase.ini",
                        "[PATHS1]\r\n" + sandbox.FullPath() + "\\Run=Startup programs,0,LD_\r\n");
  {
    RegistryAccessor settings(registry, kHkeyCurrentUser);
    // The real settings key of this throwaway prefix: no tip of the day.
    settings.OpenKeyWrite(kSettingsKey);
    settings.WriteInteger("ShowTips", 0);
  }
  Win32VersionRecordReader versions;
  RecordingShell shell;
  RecordingMessages messages;
  Win32Clock clock;
  RecordingMapi mapi;
  RecordingClipboard clipboard;
  std::vector<std::string> reports;
  TRegEditAccess navigator([&](const std::string& text, const std::string&) { reports.push_back(text); });
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  {
    TMainForm form({registry, files, versions, shell, messages, clock, mapi, clipboard, navigator});
    ASSERT_TRUE(form.Create());
    bool finished = false;
    form.OnScanFinished = [&] { finished = true; };
    form.Dispatcher().Execute(CommandId::kStart);
    for (int i = 0; i < 600 && !finished; ++i) {
      PumpMessages(form);
      Sleep(10);
    }
    ASSERT_TRUE(finished);
    const ResultNode* run = form.Results().Top();
    while (run && run->ChildCount() > 0) run = run->Child(0);
    ASSERT_NE(run, nullptr);
    ASSERT_EQ(run->Text(), "Run");
    form.SelectNode(*run);
    PostMessageA(form.Tree().Handle(), WM_KEYDOWN, VK_F2, 1);
    PumpMessages(form);
    HWND started = FindWindowA(TRegEditAccess::kEditorClass, nullptr);
    DWORD started_id = 0;
    GetWindowThreadProcessId(started, &started_id);
    if (!PageInProcess(started_id)) {
      PostMessageA(started, WM_CLOSE, 0, 0);
      GTEST_SKIP() << "the system started an editor of the other word size: only typing reaches it";
    }
    EXPECT_TRUE(navigator.LastLanded()) << (reports.empty() ? "" : reports.front());

    SetFocus(form.List().Handle());
    ListView_SetItemState(form.List().Handle(), 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    PostMessageA(form.List().Handle(), WM_KEYDOWN, VK_F2, 1);
    PumpMessages(form);
    EXPECT_TRUE(navigator.LastLanded());
  }
  HWND editor = FindWindowA(TRegEditAccess::kEditorClass, nullptr);
  ASSERT_NE(editor, nullptr);
  DWORD process_id = 0;
  GetWindowThreadProcessId(editor, &process_id);
  {
    auto buffer = PageInProcess(process_id);
    EditorTreeControl tree(FindDescendant(editor, "SysTreeView32"), *buffer, EditorTexts::kWide);
    EditorListControl list(FindDescendant(editor, "SysListView32"), *buffer, EditorTexts::kWide);
    const std::string key = ItemPath(tree, tree.Selected());
    EXPECT_EQ(key.substr(key.size() - sandbox.KeyPath().size() - 4), sandbox.KeyPath() + "\\Run");
    EXPECT_EQ(list.Focused(), "Gone");
  }
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, process_id);
  PostMessageA(editor, WM_CLOSE, 0, 0);
  WaitForSingleObject(process, 10000);
  CloseHandle(process);
  registry.DeleteKey(kHkeyCurrentUser, kSettingsKey);
}

}  // namespace
