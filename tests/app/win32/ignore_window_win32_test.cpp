// The ignore list from the real window on a sandboxed registry: Ignore on a
// node and on rows, a rescan without them, Delete All leaving them, the
// Ignored items dialog's Remove bringing one back, and a restart keeping
// the list.
#include <gtest/gtest.h>

#include <windows.h>

#include "clean/ignore_list.h"
#include "app/win32/IgnoredItems.h"
#include "app/win32/command_ids.h"
#include "app/win32/resources.h"
#include "main_window_fixture_win32.h"
#include "regtext/regedit4_reader.h"
#include "support/window_test_support_win32.h"

namespace {

constexpr char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kApps[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
constexpr char kRules[] =
    "[PATHS1]\r\n"
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\*=Application paths,1,FILEDEF_\r\n"
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run=Startup programs,0,LD_\r\n";
constexpr char kPlanted[] =
    "REGEDIT4\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
    "\"Kept\"=\"C:\\\\TarnelNowhere\\\\kept.exe\"\r\n"
    "\"Gone\"=\"C:\\\\TarnelNowhere\\\\gone.exe\"\r\n"
    "\"Here\"=\"C:\\\\windows\\\\notepad.exe\"\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Kept.exe]\r\n"
    "@=\"C:\\\\TarnelNowhere\\\\Kept.exe\"\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Gone.exe]\r\n"
    "@=\"C:\\\\TarnelNowhere\\\\Gone.exe\"\r\n\r\n";

const ResultNode* FindNode(const ResultNode& node, const std::string& text) {
  if (node.Text() == text) return &node;
  for (std::size_t i = 0; i < node.ChildCount(); ++i)
    if (const ResultNode* found = FindNode(*node.Child(i), text)) return found;
  return nullptr;
}

// The texts of a list view's cells, row by row, "|" between the columns.
std::vector<std::string> Rows(HWND list, int columns) {
  std::vector<std::string> rows;
  for (int row = 0; row < ListView_GetItemCount(list); ++row) {
    std::string line;
    for (int column = 0; column < columns; ++column) {
      char text[512] = "";
      ListView_GetItemText(list, row, column, text, sizeof text);
      line += (column ? "|" : "") + std::string(text);
    }
    rows.push_back(line);
  }
  return rows;
}

int RowOf(const ListView& list, const std::string& caption) {
  for (int row = 0; row < list.RowCount(); ++row)
    if (list.Caption(row) == caption) return row;
  return -1;
}

// The context menu, pictured while it is open, then closed.
HWND g_pictured = nullptr;
void CALLBACK PictureMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  SaveScreenshot(g_pictured, "tree-context-menu-ignore");
  EndMenu();
}

class IgnoreWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    NoTips();
    ImportRegText(*registry_, kPlanted);
    WriteKnowledgeBase(kRules);
  }
  // Delete All writes its backup to the current folder: the test's own.
  void DeleteAllInWorkFolder() {
    char saved[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, saved);
    SetCurrentDirectoryA(work_.Path().c_str());
    Send(WmIdOf(CommandId::kDeleteAll));
    SetCurrentDirectoryA(saved);
  }
  bool HasValue(const std::string& path, const std::string& name) {
    auto key = registry_->OpenRead(kHkeyCurrentUser, path);
    return key && key->QueryValue(name);
  }
  bool KeyExists(const std::string& path) { return registry_->OpenRead(kHkeyCurrentUser, path) != nullptr; }
  std::string StatusText(TMainForm& form) { return form.Status().Text(); }

  ScopedTempFolder work_{"ignore"};
};

TEST_F(IgnoreWindowTest, IgnoredNodesAndRowsStayOutOfScansAndDeleteAllAndComeBackWhenRemoved) {
  TMainForm& form = Open();
  ScanToTheEnd(form);
  const ResultNode* kept_app = FindNode(*form.Results().Top(), "Kept.exe");
  ASSERT_NE(kept_app, nullptr);

  // Ignore on a node, from the tree's context menu.
  form.SelectNode(*kept_app);
  ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
  Settle(300);
  RECT tree{};
  GetWindowRect(form.Tree().Handle(), &tree);
  g_pictured = form.Handle();
  SetTimer(nullptr, 0, 400, PictureMenu);
  SendMessageA(form.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form.Tree().Handle()),
               MAKELPARAM(tree.left + 40, tree.top + 60));
  EXPECT_EQ(MenuLines(form.Menus().TreePopup()),
            (std::vector<std::string>{"RegEdit\tF2 [default]", "Delete Key\tCtrl+D", "&Ignore", "-",
                                      "Delete All\tCtrl+Del", "-", "Copy Key Name\tCtrl+C", "Copy Only Name"}));
  SetFocus(form.Tree().Handle());
  Send(WmIdOf(CommandId::kIgnore));
  EXPECT_EQ(FindNode(*form.Results().Top(), "Kept.exe"), nullptr) << "the node leaves the view at once";
  EXPECT_NE(FindNode(*form.Results().Top(), "Gone.exe"), nullptr);
  EXPECT_EQ(StatusText(form), "Ignored: 1");

  // Ignore on a row of the list: only that value.
  const ResultNode* run = FindNode(*form.Results().Top(), "Run");
  ASSERT_NE(run, nullptr);
  form.SelectNode(*run);
  const int kept_row = RowOf(form.List(), "Kept");
  ASSERT_GE(kept_row, 0);
  SetFocus(form.List().Handle());
  ListView_SetItemState(form.List().Handle(), kept_row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  Send(WmIdOf(CommandId::kIgnore));
  ASSERT_NE(form.ListRecord(), nullptr);
  EXPECT_EQ(form.ListRecord()->FValueNames, std::vector<std::string>{"Gone"}) << "the other bad value stays";

  const std::vector<IgnoredItem> stored = ReadIgnoreList(*registry_);
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored[0].key, std::string("HKEY_CURRENT_USER\\") + kApps + "\\Kept.exe");
  EXPECT_FALSE(stored[0].value.has_value());
  EXPECT_EQ(stored[1].key, std::string("HKEY_CURRENT_USER\\") + kRun);
  EXPECT_EQ(stored[1].value, "Kept");

  // A rescan leaves them out; Delete All leaves them in the registry.
  ScanToTheEnd(form);
  EXPECT_EQ(FindNode(*form.Results().Top(), "Kept.exe"), nullptr);
  run = FindNode(*form.Results().Top(), "Run");
  ASSERT_NE(run, nullptr);
  EXPECT_EQ(run->Data()->FValueNames, std::vector<std::string>{"Gone"});
  DeleteAllInWorkFolder();
  EXPECT_FALSE(KeyExists(std::string(kApps) + "\\Gone.exe"));
  EXPECT_FALSE(HasValue(kRun, "Gone"));
  EXPECT_TRUE(KeyExists(std::string(kApps) + "\\Kept.exe"));
  EXPECT_TRUE(HasValue(kRun, "Kept"));
  Close();

  // After a restart, the dialog lists both; Remove brings the key back.
  TMainForm& again = Open();
  TIgnoredItems dialog(*registry_, messages_, IgnoredDialogTextsOf(again.Langv()));
  HWND box = dialog.Create(again.Handle());
  ASSERT_NE(box, nullptr);
  HWND list = GetDlgItem(box, IDC_IGNORED_LIST);
  const std::vector<std::string> rows = Rows(list, 3);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], std::string("HKEY_CURRENT_USER\\") + kApps + "\\Kept.exe||" + stored[0].added);
  EXPECT_EQ(rows[1], std::string("HKEY_CURRENT_USER\\") + kRun + "|Kept|" + stored[1].added);
  ShowWindow(box, SW_SHOW);
  Settle(400);
  SaveScreenshot(box, "ignored-items");
  ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
  SendMessageA(box, WM_COMMAND, IDC_IGNORED_REMOVE, 0);
  EXPECT_EQ(Rows(list, 3).size(), 1u);
  SendMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_FALSE(IsWindow(box));
  ScanToTheEnd(again);
  EXPECT_NE(FindNode(*again.Results().Top(), "Kept.exe"), nullptr) << "removed: reported again";
  EXPECT_EQ(FindNode(*again.Results().Top(), "Run"), nullptr) << "the ignored value is still left out";
}

// Keys that differ only at their end stay told apart: sorted, in a dialog
// that can be made wider, which keeps its size for the next time.
TEST_F(IgnoreWindowTest, TheIgnoredItemsDialogSortsByKeyAndKeepsTheSizeItWasGiven) {
  const std::string deep = "HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{00000000-1111-2222-3333-444444444444}\\"
                           "InprocServer32\\VeryLongApplicationName\\";
  ASSERT_TRUE(WriteIgnoreList(*registry_, {{deep + "Second", std::nullopt, "2026-12-07 19:40"},
                                           {"HKEY_CURRENT_USER\\Run", std::string("b"), "2026-12-07 19:41"},
                                           {deep + "First", std::nullopt, "2026-12-07 19:42"},
                                           {"hkey_current_user\\run", std::string("A"), "2026-12-07 19:43"}}));
  TMainForm& form = Open();
  SIZE wider{};
  {
    TIgnoredItems dialog(*registry_, messages_, IgnoredDialogTextsOf(form.Langv()));
    HWND box = dialog.Create(form.Handle());
    ASSERT_NE(box, nullptr);
    HWND list = GetDlgItem(box, IDC_IGNORED_LIST);
    EXPECT_EQ(Rows(list, 2), (std::vector<std::string>{"hkey_current_user\\run|A", "HKEY_CURRENT_USER\\Run|b",
                                                       deep + "First|", deep + "Second|"}));
    const RECT designed = WindowRect(box), list_before = WindowRect(list);
    wider = {designed.right - designed.left + 300, designed.bottom - designed.top + 100};
    SetWindowPos(box, nullptr, 0, 0, wider.cx, wider.cy, SWP_NOMOVE | SWP_NOZORDER);
    const RECT list_after = WindowRect(list);
    // Within a pixel: the designed margins are rounded from dialog units.
    EXPECT_NEAR(list_after.right - list_after.left, list_before.right - list_before.left + 300, 1);
    EXPECT_NEAR(list_after.bottom - list_after.top, list_before.bottom - list_before.top + 100, 1);
    ShowWindow(box, SW_SHOW);
    Settle(400);
    SaveScreenshot(box, "ignored-items-wider");
    SetWindowPos(box, nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER);
    const RECT smallest = WindowRect(box);
    EXPECT_EQ(smallest.right - smallest.left, designed.right - designed.left) << "never smaller than designed";
    SetWindowPos(box, nullptr, 0, 0, wider.cx, wider.cy, SWP_NOMOVE | SWP_NOZORDER);
    SendMessageA(box, WM_COMMAND, IDOK, 0);
  }
  TIgnoredItems again(*registry_, messages_, IgnoredDialogTextsOf(form.Langv()));
  HWND box = again.Create(form.Handle());
  const RECT kept = WindowRect(box);
  EXPECT_EQ(kept.right - kept.left, wider.cx);
  EXPECT_EQ(kept.bottom - kept.top, wider.cy);
  SendMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST_F(IgnoreWindowTest, GermanShowsTheNewTexts) {
  UseShippedLanguagesAndRules(kRules);
  TMainForm& form = Open();
  Send(kFirstLanguageId + 1);
  HMENU bar = GetMenu(form.Handle());
  EXPECT_EQ(MenuLines(GetSubMenu(bar, 3)).at(1), "&Ignorierte Eintr\xC3\xA4ge..");  // UTF-8: the program's code page
  EXPECT_EQ(MenuLines(form.Menus().TreePopup()).at(2), "&Ignorieren [off]");
  const IgnoredDialogTexts texts = IgnoredDialogTextsOf(form.Langv());
  EXPECT_EQ(texts.title, "Ignorierte Eintr\xC3\xA4ge");
  EXPECT_EQ(texts.remove_all, "&Alle entfernen");
  ScanToTheEnd(form);
  form.SelectNode(*FindNode(*form.Results().Top(), "Gone.exe"));
  SetFocus(form.Tree().Handle());
  Send(WmIdOf(CommandId::kIgnore));
  EXPECT_EQ(StatusText(form), "Ignoriert: 1");
}

}  // namespace
