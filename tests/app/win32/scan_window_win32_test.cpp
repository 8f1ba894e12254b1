// Scans from the real window on a sandboxed registry: the tree, the value
// list, their colours, the states of the commands, closing during a scan.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "app/win32/command_ids.h"
#include "app/win32/user_messages_win32.h"
#include "cli/problem_list.h"
#include "main_window_fixture_win32.h"
#include "regtext/regedit4_reader.h"
#include "scan/key_paths.h"
#include "support/scan_harness.h"
#include "support/watchdog.h"
#include "support/window_test_support_win32.h"

namespace {

constexpr char kRules[] =
    "[PATHS1]\r\n"
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\*=Application paths,1,FILEDEF_\r\n"
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run=Startup programs,0,LD_\r\n";

std::string Planted(int stale_app_paths) {
  std::string text =
      "REGEDIT4\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
      "\"Gone\"=\"C:\\\\TarnelNowhere\\\\gone.exe /quiet\"\r\n"
      "\"Here\"=\"C:\\\\windows\\\\notepad.exe\"\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Here.exe]\r\n"
      "@=\"C:\\\\windows\\\\notepad.exe\"\r\n\r\n";
  for (int i = 0; i < stale_app_paths; ++i)
    text += "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Gone" + std::to_string(i) +
            ".exe]\r\n@=\"C:\\\\TarnelNowhere\\\\Gone.exe\"\r\n\r\n";
  return text;
}

const ResultNode* FindNode(const ResultNode& node, const std::string& text) {
  if (node.Text() == text) return &node;
  for (std::size_t i = 0; i < node.ChildCount(); ++i)
    if (const ResultNode* found = FindNode(*node.Child(i), text)) return found;
  return nullptr;
}

std::string ProblemList(const ResultTree& tree) {
  std::ostringstream out;
  WriteProblemList(tree, out);
  return out.str();
}

// Pure red pixels of the window's screen image inside the rectangle, which
// is in the coordinates of the given control.
int RedPixels(HWND control, RECT rect) {
  MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  HDC screen = GetDC(nullptr);
  int red = 0;
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x) {
      const COLORREF pixel = GetPixel(screen, x, y);
      if (GetRValue(pixel) > 200 && GetGValue(pixel) < 60 && GetBValue(pixel) < 60) ++red;
    }
  ReleaseDC(nullptr, screen);
  return red;
}

RECT TreeItemRect(TMainForm& form, const ResultNode& node) {
  form.SelectNode(node);  // scrolled into view, and the list filled
  RECT rect{};
  HTREEITEM item = TreeView_GetSelection(form.Tree().Handle());
  TreeView_GetItemRect(form.Tree().Handle(), item, &rect, TRUE);
  return rect;
}

int ProcessThreads() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
  CloseHandle(snapshot);
  return count;
}

class ScanWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    WriteKnowledgeBase(kRules);
    NoTips();
  }
};

TEST_F(ScanWindowTest, F5FillsTheTreeAndEndsIdleWithDeleteAllAndEverythingExpanded) {
  ImportRegText(*registry_, Planted(2));
  TMainForm& form = Open();
  bool finished = false;
  form.OnScanFinished = [&] { finished = true; };
  PostMessageA(form.Tree().Handle(), WM_KEYDOWN, VK_F5, 1);
  PumpUntil(form, finished);
  PumpMessages(form);

  const ResultNode* run = FindNode(*form.Results().Top(), "Run");
  ASSERT_NE(run, nullptr);
  ASSERT_NE(run->Data(), nullptr);
  EXPECT_EQ(run->Data()->FValueNames, std::vector<std::string>{"Gone"});
  EXPECT_NE(FindNode(*form.Results().Top(), "Gone1.exe"), nullptr);
  EXPECT_EQ(FindNode(*form.Results().Top(), "Here.exe"), nullptr);
  const CommandStates& states = form.Dispatcher().States();
  EXPECT_TRUE(states.Enabled(CommandId::kStart));
  EXPECT_FALSE(states.Enabled(CommandId::kStop));
  EXPECT_TRUE(states.Enabled(CommandId::kDeleteAll));
  EXPECT_TRUE(states.Enabled(CommandId::kSaveToFile)) << "the update rule, once idle";
  EXPECT_FALSE(form.Status().Scanning());
  EXPECT_EQ(form.Status().Text(), "");
  EXPECT_FALSE(Shown(form.Status().ProgressBar()));
  HWND tree = form.Tree().Handle();
  for (HTREEITEM item = TreeView_GetRoot(tree); item; item = TreeView_GetNextVisible(tree, item)) {
    if (TreeView_GetChild(tree, item)) {
      EXPECT_TRUE(form.Tree().Expanded(item)) << form.Tree().Text(item);
    }
  }
  EXPECT_EQ(form.Tree().Count(), static_cast<int>(form.Results().NodeCount()));
}

// Every node with children shows them.
void ExpectAllExpanded(TMainForm& form) {
  HWND tree = form.Tree().Handle();
  int shown = 0;
  for (HTREEITEM item = TreeView_GetRoot(tree); item; item = TreeView_GetNextVisible(tree, item)) {
    ++shown;
    if (TreeView_GetChild(tree, item)) {
      EXPECT_TRUE(form.Tree().Expanded(item)) << form.Tree().Text(item);
    }
  }
  EXPECT_EQ(shown, form.Tree().Count()) << "every node visible";
}

TEST_F(ScanWindowTest, EveryScanShowsItsResultsExpanded) {
  ImportRegText(*registry_, Planted(2));
  TMainForm& form = Open();  // no position stored: the first window
  ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
  ScanToTheEnd(form);
  ExpectAllExpanded(form);
  form.SelectNode(*FindNode(*form.Results().Top(), "Run"));
  Settle(400);
  SaveScreenshot(form.Handle(), "first-window-after-scan");
  ScanToTheEnd(form);
  EXPECT_GT(form.Tree().Count(), 5);
  ExpectAllExpanded(form);
  Settle(400);
  SaveScreenshot(form.Handle(), "second-scan");
}

TEST_F(ScanWindowTest, ARulesFileThatCannotBeUsedIsReportedAndNothingIsScanned) {
  ImportRegText(*registry_, Planted(1));
  const std::string rules = files_.folder + "Knowbase.ini";
  TMainForm& form = Open();
  const char* unusable = "[PATHS1]\r\nHKEY_CURRENT_USER\\Run=Run,0,NOSUCH_\r\nSoftware\\Run=Run,0,LD_\r\n";
  for (const char* text : std::initializer_list<const char*>{"", "[PATHS1]\r\n; none yet\r\n", unusable, nullptr}) {
    messages_.errors.clear();
    if (text) {
      WriteKnowledgeBase(text);
    } else {
      files_.DeleteFile(rules);
    }
    form.Dispatcher().Execute(CommandId::kStart);
    ASSERT_EQ(messages_.errors.size(), 1u);
    EXPECT_EQ(messages_.errors[0].rfind("Nothing was scanned: ", 0), 0u) << messages_.errors[0];
    EXPECT_NE(messages_.errors[0].find(rules), std::string::npos) << "names the file: " << messages_.errors[0];
    if (text == unusable) {
      EXPECT_NE(messages_.errors[0].find("HKEY_CURRENT_USER\\Run=Run,0,NOSUCH_"), std::string::npos)
          << "names the first unusable line: " << messages_.errors[0];
    }
    EXPECT_FALSE(form.Scanning());
    EXPECT_EQ(form.Tree().Count(), 1) << "only My Computer, as before";
    EXPECT_TRUE(form.Dispatcher().States().Enabled(CommandId::kStart));
  }
}

// An empty or partial tree after Stop must not pass for a clean registry.
TEST_F(ScanWindowTest, AStoppedScanSaysSoUntilTheNextScan) {
  ImportRegText(*registry_, Planted(300));
  StoreGeometry(40, 40, 900, 560);
  TMainForm& form = Open();
  ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
  bool finished = false;
  form.OnScanFinished = [&] { finished = true; };
  form.Dispatcher().Execute(CommandId::kStart);
  form.Dispatcher().Execute(CommandId::kStop);
  PumpUntil(form, finished);
  int problems = 0;
  ForEachProblem(*form.Results().Top(), [&](const ResultNode&) { ++problems; });
  const std::string stopped = "Scan stopped: " + std::to_string(problems) + " problems found so far";
  EXPECT_EQ(form.Status().Text(), stopped);
  Settle(300);
  SaveScreenshot(form.Handle(), "scan-stopped");
  form.SelectNode(*form.Results().Top());
  EXPECT_EQ(form.Status().Text(), stopped) << "a node without a problem keeps the note";
  if (problems > 0) {
    const ResultNode* problem = nullptr;
    ForEachProblem(*form.Results().Top(), [&](const ResultNode& node) { problem = &node; });
    form.SelectNode(*problem);
    EXPECT_EQ(form.Status().Text(), problem->Data()->FMessage);
  }
  form.OnScanFinished = nullptr;
  ScanToTheEnd(form);
  EXPECT_EQ(form.Status().Text(), "") << "a whole scan leaves no note";
  form.SelectNode(*form.Results().Top());
  EXPECT_EQ(form.Status().Text(), "");
}

TEST_F(ScanWindowTest, SelectionFillsTheValueListAndSetsTheNodeCommands) {
  ImportRegText(*registry_, Planted(1));
  TMainForm& form = Open();
  ScanToTheEnd(form);
  const ResultNode& run = *FindNode(*form.Results().Top(), "Run");
  form.SelectNode(run);
  EXPECT_EQ(form.ListRecord(), run.Data());
  EXPECT_EQ(form.Status().Text(), "File not found");
  EXPECT_EQ(form.List().RowCount(), 2) << "All Values is on";
  EXPECT_TRUE(form.Dispatcher().States().Enabled(CommandId::kDeleteKey));
  SendMessageA(form.Handle(), WM_COMMAND, WmIdOf(CommandId::kAllValues), 0);
  EXPECT_EQ(form.List().RowCount(), 1);
  EXPECT_EQ(form.List().Caption(0), "Gone");

  form.SelectNode(*run.Parent());
  EXPECT_EQ(form.ListRecord(), nullptr);
  EXPECT_EQ(form.List().RowCount(), 0);
  EXPECT_FALSE(form.Dispatcher().States().Enabled(CommandId::kDeleteKey)) << "a node with children";
  EXPECT_TRUE(form.Dispatcher().States().Enabled(CommandId::kCopyKeyName));
  form.SelectNode(*form.Results().Top());
  EXPECT_FALSE(form.Dispatcher().States().Enabled(CommandId::kCopyKeyName)) << "My Computer";

  // The Edit menu binds its Delete entry to the active control's command.
  form.SelectNode(*run.Parent());
  SetFocus(form.Tree().Handle());
  HMENU edit = GetSubMenu(GetMenu(form.Handle()), 1);
  SendMessageA(form.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
  EXPECT_EQ(MenuLines(edit)[3], "Delete Key\tCtrl+D") << "enabled, children or not";
  SetFocus(form.List().Handle());
  SendMessageA(form.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
  EXPECT_EQ(MenuLines(edit)[3], "Delete [off]");
}

TEST_F(ScanWindowTest, ProblemsAreBoldAndRedOnScreen) {
  ImportRegText(*registry_, Planted(1));
  StoreGeometry(40, 40, 900, 560);
  Store("TrVWidth", 520);
  TMainForm& form = Open();
  ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
  ScanToTheEnd(form);
  const ResultNode& key_problem = *FindNode(*form.Results().Top(), "Gone0.exe");
  const ResultNode& value_problem = *FindNode(*form.Results().Top(), "Run");
  const RECT key_rect = TreeItemRect(form, key_problem);
  const RECT value_rect = TreeItemRect(form, value_problem);
  TreeView_SelectItem(form.Tree().Handle(), nullptr);  // no highlight over the texts
  form.SelectNode(value_problem);
  SetFocus(nullptr);
  Settle(400);
  SaveScreenshot(form.Handle(), "scan-results");
  EXPECT_GT(RedPixels(form.Tree().Handle(), key_rect), 20) << "a key problem is red";
  EXPECT_EQ(RedPixels(form.Tree().Handle(), value_rect), 0) << "a value problem is bold only";
  RECT gone{}, here{};
  ListView_GetItemRect(form.List().Handle(), 0, &gone, LVIR_LABEL);
  ListView_GetItemRect(form.List().Handle(), 1, &here, LVIR_LABEL);
  const bool gone_first = form.List().Caption(0) == "Gone";
  EXPECT_GT(RedPixels(form.List().Handle(), gone_first ? gone : here), 5) << "the bad value's row is red";
  EXPECT_EQ(RedPixels(form.List().Handle(), gone_first ? here : gone), 0);
}

// A rescan over thousands of problems: the earlier ones are off the screen
// the moment Start returns, the progress already shows, and the new tree
// is on the screen as soon as the scan ends.
TEST_F(ScanWindowTest, ARescanTakesTheEarlierResultsOffTheScreenAtOnceAndPaintsTheNewOnes) {
  ImportRegText(*registry_, Planted(3000));
  StoreGeometry(40, 40, 900, 560);
  TMainForm& form = Open();
  ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
  ScanToTheEnd(form);
  form.SelectNode(*FindNode(*form.Results().Top(), "Gone2999.exe"));
  TreeView_SelectItem(form.Tree().Handle(), nullptr);  // no highlight over the texts
  Settle(300);
  RECT tree{};
  GetClientRect(form.Tree().Handle(), &tree);
  ASSERT_GT(RedPixels(form.Tree().Handle(), tree), 100) << "the first scan's problems on the screen";

  bool finished = false;
  form.OnScanFinished = [&] { finished = true; };
  form.Dispatcher().Execute(CommandId::kStart);
  EXPECT_EQ(form.Tree().Count(), 1);
  EXPECT_EQ(form.Results().NodeCount(), 1u);
  EXPECT_EQ(RedPixels(form.Tree().Handle(), tree), 0) << "earlier problems still on the screen";
  EXPECT_TRUE(Shown(form.Status().ProgressBar()));
  EXPECT_EQ(SendMessageA(form.Status().ProgressBar(), PBM_GETRANGE, FALSE, 0), 2) << "the rules to go through";
  SaveScreenshot(form.Handle(), "rescan-started");
  PumpUntil(form, finished);
  EXPECT_EQ(CountProblems(form.Results()), 3001);
  EXPECT_GT(RedPixels(form.Tree().Handle(), tree), 100) << "the new tree is not on the screen";
  SaveScreenshot(form.Handle(), "rescan-ended");
}

TEST_F(ScanWindowTest, StopKeepsWhatWasFoundAndReturnsToIdle) {
  ImportRegText(*registry_, Planted(3000));
  TMainForm& form = Open();
  bool finished = false;
  form.OnScanFinished = [&] { finished = true; };
  form.Dispatcher().Execute(CommandId::kStart);
  EXPECT_TRUE(form.Status().Scanning());
  EXPECT_TRUE(Shown(form.Status().ProgressBar()));
  EXPECT_FALSE(form.Dispatcher().States().Enabled(CommandId::kDeleteAll));
  while (form.Results().NodeCount() < 10) PumpMessages(form);
  form.Dispatcher().Execute(CommandId::kStop);
  PumpUntil(form, finished);
  EXPECT_GE(form.Results().NodeCount(), 10u);
  EXPECT_LT(form.Results().NodeCount(), 3000u) << "the scan went on to its end";
  EXPECT_TRUE(form.Dispatcher().States().Enabled(CommandId::kStart));
  EXPECT_TRUE(form.Dispatcher().States().Enabled(CommandId::kDeleteAll));
  EXPECT_FALSE(form.Status().Scanning());
}

TEST_F(ScanWindowTest, ClosingDuringAScanStopsItFirst) {
  ImportRegText(*registry_, Planted(3000));
  Watchdog watchdog(std::chrono::seconds(300), "closing during scans");
  int threads_after_first = 0;
  for (int trial = 0; trial < 50; ++trial) {
    TMainForm& form = Open();
    form.Dispatcher().Execute(CommandId::kStart);
    for (int i = 0; i < trial % 5; ++i) PumpMessages(form);  // some close at once, some later
    ASSERT_TRUE(form.Scanning() || trial % 5 > 0);
    Close();
    if (trial == 0) threads_after_first = ProcessThreads();
  }
  EXPECT_LE(ProcessThreads(), threads_after_first) << "a scan thread outlived its window";
}

TEST_F(ScanWindowTest, AValueThatChangedSinceTheScanIsReportedNotThrown) {
  ImportRegText(*registry_, Planted(1));
  TMainForm& form = Open();
  ScanToTheEnd(form);
  registry_->OpenWrite(kHkeyCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Run")
      ->SetValue("Gone", {kRegDword, std::vector<std::uint8_t>(8, 0)});
  form.SelectNode(*FindNode(*form.Results().Top(), "Run"));
  EXPECT_EQ(messages_.errors, std::vector<std::string>{"Failed to get data for 'Gone'"});
  EXPECT_TRUE(IsWindow(form.Handle()));
}

TEST_F(ScanWindowTest, TheWindowFindsWhatTheHeadlessScannerFindsOnTheDemo) {
  // The demo registry and the files its healthy entries name.
  std::ifstream demo("..\\..\\..\\data\\demo\\demo.reg", std::ios::binary);
  std::ostringstream text;
  text << demo.rdbuf();
  ASSERT_FALSE(text.str().empty());
  ImportRegText(*registry_, text.str());
  CreateDirectoryA("C:\\TarnelDemo", nullptr);
  for (const char* name : {"present.dll", "present.exe", "present.tlb", "present.cpl", "readme.txt",
                           "TarnelDemoPresent.hlp", "TarnelDemoPresent.chm"})
    files_.WriteFileAtomic(std::string("C:\\TarnelDemo\\") + name, "Tarnel demo file\r\n");
  std::ifstream rules("..\\Knowbase.ini", std::ios::binary);
  std::ostringstream shipped;
  shipped << rules.rdbuf();
  WriteKnowledgeBase(shipped.str());

  StoreGeometry(40, 40, 900, 560);
  Store("TrVWidth", 470);
  Store("LVWidth", (170 << 16) | 260);
  TMainForm& form = Open();
  ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
  ScanToTheEnd(form);
  Win32UiThread ui;
  ScanHarness headless(*registry_, files_, ui);
  headless.Scan();
  EXPECT_EQ(ProblemList(form.Results()), ProblemList(headless.view.tree));
  EXPECT_GT(form.Results().NodeCount(), 20u);

  if (const ResultNode* run = FindNode(*form.Results().Top(), "Run")) form.SelectNode(*run);
  Settle(400);
  SaveScreenshot(form.Handle(), "demo-scan");
  Close();
  for (const char* name : {"present.dll", "present.exe", "present.tlb", "present.cpl", "readme.txt",
                           "TarnelDemoPresent.hlp", "TarnelDemoPresent.chm"})
    files_.DeleteFile(std::string("C:\\TarnelDemo\\") + name);
  RemoveDirectoryA("C:\\TarnelDemo");
}

}  // namespace

namespace {

// A throwaway current folder, where the window's backup files go, for the
// object's life.
class OwnCurrentFolder {
 public:
  explicit OwnCurrentFolder(const char* prefix) : folder_(prefix) {
    GetCurrentDirectoryA(MAX_PATH, saved_);
    SetCurrentDirectoryA(folder_.Path().c_str());
  }
  ~OwnCurrentFolder() { SetCurrentDirectoryA(saved_); }

 private:
  ScopedTempFolder folder_;
  char saved_[MAX_PATH] = "";
};

TEST_F(ScanWindowTest, DeleteKeySaysWhatWentInTheFirstPanelOnly) {
  OwnCurrentFolder work("status");
  ImportRegText(*registry_, Planted(1));
  StoreGeometry(40, 40, 900, 560);
  TMainForm& form = Open();
  ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
  ScanToTheEnd(form);
  const ResultNode& run = *FindNode(*form.Results().Top(), "Run");
  const std::string key = NodeFullPath(run);
  form.SelectNode(run);
  SendMessageA(form.Handle(), WM_COMMAND, WmIdOf(CommandId::kDeleteKey), 0);
  EXPECT_EQ(form.Status().Text(), "Deleted from " + key + ": \"Gone\"") << "one value, not the key";
  form.SelectNode(*FindNode(*form.Results().Top(), "Gone0.exe"));
  const std::string app = NodeFullPath(*FindNode(*form.Results().Top(), "Gone0.exe"));
  SendMessageA(form.Handle(), WM_COMMAND, WmIdOf(CommandId::kDeleteKey), 0);
  EXPECT_EQ(form.Status().Text(), "Deleted the key " + app);
  Settle(400);
  SaveScreenshot(form.Handle(), "status-after-delete-key");
  RECT panels[3];
  for (int i = 0; i < 3; ++i) SendMessageA(form.Status().Handle(), SB_GETRECT, i, reinterpret_cast<LPARAM>(&panels[i]));
  EXPECT_GT(RedPixels(form.Status().Handle(), panels[0]), 20);
  EXPECT_EQ(RedPixels(form.Status().Handle(), panels[1]), 0) << "the text stays in its panel";
  EXPECT_EQ(RedPixels(form.Status().Handle(), panels[2]), 0);
  Close();
}

// Counts the paints of a control while it lives.
class PaintCounter {
 public:
  explicit PaintCounter(HWND control) : control_(control) {
    SetWindowSubclass(control_, Count, 1, reinterpret_cast<DWORD_PTR>(&paints));
  }
  ~PaintCounter() { RemoveWindowSubclass(control_, Count, 1); }
  int paints = 0;

 private:
  static LRESULT CALLBACK Count(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR data) {
    if (message == WM_PAINT) ++*reinterpret_cast<int*>(data);
    return DefSubclassProc(window, message, wparam, lparam);
  }
  HWND control_;
};

// Thousands of problems: the progress bar paints as the deletion goes on,
// and the tree shows what is left as soon as it ends.
TEST_F(ScanWindowTest, DeleteAllOfThousandsPaintsItsProgressAndEndsWithTheTreeShown) {
  OwnCurrentFolder work("delete-all");
  ImportRegText(*registry_, Planted(5000));
  StoreGeometry(40, 40, 900, 560);
  TMainForm& form = Open();
  ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
  ScanToTheEnd(form);
  ASSERT_EQ(CountProblems(form.Results()), 5001);
  // The selection on a problem that goes.
  form.SelectNode(*FindNode(*form.Results().Top(), "Gone4999.exe"));
  Settle(200);
  PaintCounter progress(form.Status().ProgressBar());
  const DWORD start = GetTickCount();
  Send(WmIdOf(CommandId::kDeleteAll));
  const DWORD took = GetTickCount() - start;
  EXPECT_EQ(form.Results().NodeCount(), 1u) << messages_.informed.back();
  EXPECT_EQ(form.Tree().Count(), 1);
  EXPECT_EQ(messages_.informed.back().rfind("Deleted: 5001 problems.", 0), 0u) << messages_.informed.back();
  EXPECT_GE(progress.paints, std::min<int>(5, took / 200)) << "painted while deleting, over " << took << " ms";
  EXPECT_FALSE(Shown(form.Status().ProgressBar()));
  EXPECT_EQ(form.ListRecord(), nullptr);
  Settle(300);
  SaveScreenshot(form.Handle(), "after-delete-all-of-5000");
}

TEST_F(ScanWindowTest, DeleteOnSelectedRowsDeletesOnlyTheBadValues) {
  OwnCurrentFolder work("values");
  ImportRegText(*registry_, Planted(1));
  TMainForm& form = Open();
  ScanToTheEnd(form);
  const ResultNode& run = *FindNode(*form.Results().Top(), "Run");
  form.SelectNode(run);
  ASSERT_EQ(form.List().RowCount(), 2);
  ListView_SetItemState(form.List().Handle(), -1, LVIS_SELECTED, LVIS_SELECTED);
  SendMessageA(form.Handle(), WM_COMMAND, WmIdOf(CommandId::kDeleteValue), 0);
  auto key = registry_->OpenRead(kHkeyCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Run");
  ASSERT_NE(key, nullptr);
  EXPECT_FALSE(key->QueryValue("Gone"));
  EXPECT_TRUE(key->QueryValue("Here")) << "a good value is never deleted";
  EXPECT_EQ(FindNode(*form.Results().Top(), "Run"), nullptr) << "no bad value left: the node went";
  EXPECT_TRUE(messages_.errors.empty());
  Close();
}

// Pictures of what opens on a timer while a menu or a message box runs:
// the window with the menu over it, then the menu closed; the box, then its
// Cancel pressed.
HWND g_picture_window = nullptr;
std::string g_box_text;

void CALLBACK PictureMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  SaveScreenshot(g_picture_window, "german-edit-menu");
  EndMenu();
}

// The box's text: the longest of its controls' texts (the number of its
// text control differs between systems).
BOOL CALLBACK KeepLongestText(HWND child, LPARAM) {
  char text[1024] = "";
  GetWindowTextA(child, text, sizeof text);
  if (std::string(text).size() > g_box_text.size()) g_box_text = text;
  return TRUE;
}

void CALLBACK PictureBox(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND box = ShownDialog();
  if (!box) return;
  KillTimer(nullptr, timer);
  SaveScreenshot(box, "german-delete-all-question");
  EnumChildWindows(box, KeepLongestText, 0);
  PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(ScanWindowTest, InGermanTheEditMenuShowsTheStatesOfTheWindowAndDeleteAllAsksInGerman) {
  UseShippedLanguagesAndRules(kRules);
  ImportRegText(*registry_, Planted(1));
  StoreGeometry(40, 40, 700, 460);
  TMainForm& form = Open();
  Send(kFirstLanguageId + 1);
  ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
  ScanToTheEnd(form);
  const ResultNode& run = *FindNode(*form.Results().Top(), "Run");
  form.SelectNode(*run.Parent());  // a node with children and no problem
  SetFocus(form.Tree().Handle());
  Settle(300);
  HMENU edit = GetSubMenu(GetMenu(form.Handle()), 1);
  RECT window{};
  GetWindowRect(form.Handle(), &window);
  g_picture_window = form.Handle();
  SetTimer(nullptr, 0, 400, PictureMenu);
  TrackPopupMenu(edit, TPM_RETURNCMD, window.left + 60, window.top + 60, 0, form.Handle(), nullptr);
  using Lines = std::vector<std::string>;
  EXPECT_EQ(MenuLines(edit),
            (Lines{"&L\xC3\xB6schen r\xC3\xBC" "ckg\xC3\xA4ngig\tStrg+Z [off]", "-", "&Alles markieren\tStrg+A [off]",
                   "Schl\xC3\xBCssel l\xC3\xB6schen\tStrg+D", "Alle l\xC3\xB6schen\tStrg+Entf",
                   "&Ignorieren [off]", "-", "Schl\xC3\xBCsselnamen kopieren\tStrg+C"}));
  EXPECT_FALSE(form.Dispatcher().States().Enabled(CommandId::kDeleteKey)) << "the tool button: not with children";

  messages_.answer = false;
  Send(WmIdOf(CommandId::kDeleteAll));
  ASSERT_FALSE(messages_.questions.empty());
  const std::string question = messages_.questions.back();
  const std::string title = "L\xC3\xB6schen";
  const std::string text = "Achtung! Alle Schl\xC3\xBCssel werden gel\xC3\xB6scht und in der Datei gesichert \r\n";
  EXPECT_EQ(question.rfind(title + ": " + text, 0), 0u) << question;
  EXPECT_NE(FindNode(*form.Results().Top(), "Run"), nullptr) << "not confirmed: nothing deleted";

  // The same question as the system shows it.
  Win32UserMessages system_messages;
  system_messages.SetOwner(form.Handle());
  g_box_text.clear();
  SetTimer(nullptr, 0, 300, PictureBox);
  EXPECT_FALSE(system_messages.Confirm(title, question.substr(title.size() + 2)));
  EXPECT_EQ(g_box_text.rfind("Achtung! Alle Schl\xC3\xBCssel", 0), 0u) << g_box_text;
}

}  // namespace
