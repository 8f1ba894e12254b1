// The real main window under Windows (or Wine), on a sandboxed registry:
// created as the program creates it, driven through its messages and read
// back with the controls' own messages.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "app/win32/About.h"
#include "app/win32/accelerators.h"
#include "app/win32/command_ids.h"
#include "app/win32/resources.h"
#include "main_window_fixture_win32.h"
#include "support/window_test_support_win32.h"
#include "tarnel_version.h"

namespace {

// The work area of the primary monitor, where a first window opens.
Rect PrimaryWorkArea() {
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return {area.left, area.top, area.right, area.bottom};
}

TEST_F(MainWindowTest, WithoutSettingsItOpensCentredAtTwoThirdsOfTheWorkArea) {
  TMainForm& form = Open();
  const DesignScale scale(GetDeviceCaps(GetDC(nullptr), LOGPIXELSX));
  const Rect work = PrimaryWorkArea();
  const RECT window = WindowRect(form.Handle());
  EXPECT_EQ((Rect{window.left, window.top, window.right, window.bottom}), FirstRunSettings(scale, work).bounds);
  EXPECT_NEAR(window.right - window.left, work.Width() * 2 / 3, 1);
  EXPECT_NEAR((window.left + window.right) / 2, (work.left + work.right) / 2, 1);
  EXPECT_GE(window.right - window.left, DesignBounds(scale).Width());

  char caption[128] = "";
  GetWindowTextA(form.Handle(), caption, sizeof caption);
  EXPECT_STREQ(caption, "Tarnel " TARNEL_PRODUCT_VERSION);
  EXPECT_EQ(form.HelpFile(), files_.ExeFolder() + "Tarnel.chm");

  EXPECT_TRUE(Shown(form.Tools().Handle()));
  EXPECT_TRUE(Shown(form.Status().Handle()));
  EXPECT_EQ(WindowRect(form.Tree().Handle()).right - WindowRect(form.Tree().Handle()).left,
            (window.right - window.left) * 2 / 5) << "40 %";
  EXPECT_EQ(static_cast<int>(TreeView_GetIndent(form.Tree().Handle())), 23);
  EXPECT_EQ(form.List().ColumnWidth(ListView::kNameColumn), MulDiv(100, scale.Dpi(), 96));
  EXPECT_GE(form.List().ColumnWidth(ListView::kDataColumn), scale(300));
  EXPECT_EQ(form.List().ColumnHeading(ListView::kNameColumn), "Name");
  EXPECT_EQ(form.List().ColumnHeading(ListView::kDataColumn), "Data");
  EXPECT_EQ(ListView_GetExtendedListViewStyle(form.List().Handle()) & LVS_EX_FULLROWSELECT,
            DWORD{LVS_EX_FULLROWSELECT});
  EXPECT_EQ(GetWindowLongA(form.List().Handle(), GWL_STYLE) & (LVS_TYPEMASK | LVS_SINGLESEL), LVS_REPORT);

  EXPECT_EQ(form.Tree().Count(), 1);
  TVITEMA top{};
  top.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
  top.hItem = form.Tree().TopNode();
  SendMessageA(form.Tree().Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&top));
  EXPECT_EQ(form.Tree().Text(top.hItem), "My Computer");
  EXPECT_EQ(top.iImage, 4);
  EXPECT_EQ(top.iSelectedImage, 4);

  int edges[4] = {};
  EXPECT_EQ(SendMessageA(form.Status().Handle(), SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 3);
  RECT client{};
  GetClientRect(form.Handle(), &client);
  const int first = std::max(scale(250), static_cast<int>(client.right) - scale(300) - scale(50));
  EXPECT_GT(first, scale(250)) << "a wide window widens the text panel";
  EXPECT_EQ(edges[0], first);
  EXPECT_EQ(edges[1], first + scale(300));
  EXPECT_EQ(GetParent(form.Status().ProgressBar()), form.Status().Handle());
  EXPECT_FALSE(Shown(form.Status().ProgressBar()));

  ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);  // no tip of the day over it
  Settle(500);
  SaveScreenshot(form.Handle(), "main-window");
}

TEST_F(MainWindowTest, MenusAndToolBarFollowTheCommands) {
  TMainForm& form = Open();
  HMENU bar = GetMenu(form.Handle());
  ASSERT_EQ(GetMenuItemCount(bar), 5);
  std::vector<std::string> captions;
  for (int i = 0; i < 5; ++i) captions.push_back(MenuCaption(bar, i));
  EXPECT_EQ(captions, (std::vector<std::string>{"File", "Edit", "View", "Options", "Help"}));
  using Lines = std::vector<std::string>;
  EXPECT_EQ(MenuLines(GetSubMenu(bar, 0)), (Lines{"Start\tF5", "Stop\tShift+F5 [off]", "-", "Save as..\tCtrl+S [off]",
                                                  "Send [off]", "Restore backup..", "&Backups..", "-",
                                                  "Exit"}));
  EXPECT_EQ(MenuLines(GetSubMenu(bar, 1)), (Lines{"&Undo Delete\tCtrl+Z [off]", "-", "Select &All\tCtrl+A [off]", "Delete [off]",
                                                  "Delete All\tCtrl+Del [off]", "&Ignore [off]", "-",
                                                  "Copy Key Name\tCtrl+C"}));
  EXPECT_EQ(MenuLines(GetSubMenu(bar, 2)), (Lines{"ToolBar [x]", "StatusBar [x]", "All Values [x]"}));
  EXPECT_EQ(MenuLines(GetSubMenu(bar, 3)), (Lines{"Autostart", "Ignored items..",
                                                  "Create a &restore point before Delete All", "Language.."}));
  EXPECT_EQ(MenuLines(GetSubMenu(bar, 4)), (Lines{"&Contents", "&About.."}));
  EXPECT_EQ(MenuLines(form.Menus().TreePopup()),
            (Lines{"RegEdit\tF2 [default]", "Delete Key\tCtrl+D [off]", "&Ignore [off]", "-",
                   "Delete All\tCtrl+Del [off]", "-", "Copy Key Name\tCtrl+C", "Copy Only Name"}));
  EXPECT_EQ(MenuLines(form.Menus().ListPopup()),
            (Lines{"RegEdit\tF2 [default]", "Delete [off]", "&Ignore [off]", "-", "Copy Name", "Copy Value",
                   "Select &All\tCtrl+A [off]"}));

  HWND tools = form.Tools().Handle();
  ASSERT_EQ(SendMessageA(tools, TB_BUTTONCOUNT, 0, 0), 11);
  std::string buttons;
  for (int i = 0; i < 11; ++i) {
    TBBUTTON button{};
    SendMessageA(tools, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
    if (button.fsStyle & BTNS_SEP) {
      buttons += "| ";
      continue;
    }
    buttons += CommandOf(CommandOfWmId(button.idCommand)).name;
    if (!(button.fsState & TBSTATE_ENABLED)) buttons += "(off)";
    if (button.fsStyle & BTNS_CHECK) buttons += (button.fsState & TBSTATE_CHECKED) ? "(down)" : "(up)";
    buttons += " ";
  }
  EXPECT_EQ(buttons,
            "ActionStart ActionStop(off) | ActionSaveToFile(off) ActionSend(off) | ActionDeleteKey(off) | "
            "ActionRegEdit | ViewAllValues(down) ");
  EXPECT_TRUE(GetWindowLongA(tools, GWL_STYLE) & TBSTYLE_FLAT);

  NMTTDISPINFOA tip{};
  tip.hdr = {tools, static_cast<UINT_PTR>(WmIdOf(CommandId::kSend)), TTN_GETDISPINFOA};
  SendMessageA(form.Handle(), WM_NOTIFY, tip.hdr.idFrom, reinterpret_cast<LPARAM>(&tip));
  EXPECT_STREQ(tip.lpszText, "Sending");

  // All Values from its button: menu and button change together.
  Send(WmIdOf(CommandId::kAllValues));
  PumpMessages(form);
  EXPECT_EQ(MenuLines(GetSubMenu(bar, 2))[2], "All Values");
  EXPECT_FALSE(SendMessageA(tools, TB_ISBUTTONCHECKED, WmIdOf(CommandId::kAllValues), 0));
}

// Alt+F4 as the keyboard sends it to the control with the focus: the
// system key with the Alt bit of its key data set.
TEST_F(MainWindowTest, AltF4ClosesTheWindowWhicheverControlHasTheFocus) {
  for (const bool tree : {true, false}) {
    TMainForm& form = Open();
    const HWND control = tree ? form.Tree().Handle() : form.List().Handle();
    PostMessageA(control, WM_SYSKEYDOWN, VK_F4, 0x20000001);
    PostMessageA(control, WM_SYSKEYUP, VK_F4, static_cast<LPARAM>(0xE0000001));
    for (int i = 0; i < 20 && form.Handle(); ++i) PumpMessages(form);
    EXPECT_EQ(form.Handle(), nullptr) << (tree ? "the tree" : "the list") << " had the focus";
    Close();
  }
}

TEST_F(MainWindowTest, ShortcutsReachACommandOnlyWhileItIsEnabled) {
  TMainForm& form = Open();
  int starts = 0, saves = 0, undos = 0;
  form.Dispatcher().SetHandler(CommandId::kStart, [&] { ++starts; });
  form.Dispatcher().SetHandler(CommandId::kSaveToFile, [&] { ++saves; });
  form.Dispatcher().SetHandler(CommandId::kUndoDelete, [&] { ++undos; });
  auto press = [&](WPARAM key, bool ctrl = false) {
    BYTE keys[256] = {};
    if (ctrl) keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageA(form.Tree().Handle(), WM_KEYDOWN, key, 1);
    PumpMessages(form);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
  };
  press(VK_F5);
  EXPECT_EQ(starts, 1);
  int copies = 0;
  form.Dispatcher().SetHandler(CommandId::kCopyKeyName, [&] { ++copies; });
  press('C', true);
  EXPECT_EQ(copies, 1) << "Ctrl reaches the shortcuts";
  // Nothing deleted in this run: Undo Delete is disabled.
  press('Z', true);
  Send(WmIdOf(CommandId::kUndoDelete));  // the menu entry
  EXPECT_EQ(undos, 0);
  Send(WmIdOf(CommandId::kSaveToFile));
  EXPECT_EQ(saves, 0) << "Save as.. with nothing found";

  HACCEL table = MakeCommandAccelerators().release();
  ACCEL keys[16];
  const int count = CopyAcceleratorTableA(table, keys, 16);
  DestroyAcceleratorTable(table);
  std::string shortcuts;
  for (int i = 0; i < count; ++i)
    shortcuts += CommandOf(CommandOfWmId(keys[i].cmd)).name + std::string("=") + std::to_string(keys[i].key) +
                 ((keys[i].fVirt & FCONTROL) ? "c" : "") + ((keys[i].fVirt & FSHIFT) ? "s" : "") + " ";
  EXPECT_EQ(shortcuts,
            "ActionStart=116 ActionStop=116s ActionSaveToFile=83c EditSelectAll1=65c ActionDeleteAll=46c "
            "ActionCopyKeyName=67c ActionDeleteKey=68c ActionRegEdit=113 ActionUndoDelete=90c ");
}

TEST_F(MainWindowTest, StoredSettingsAreRestoredAndChangesSavedOnClose) {
  StoreGeometry(60, 50, 700, 500);
  Store("ToolBar2", 0);
  Store("AutoStart", 1);
  Store("TrVWidth", 150);
  Store("LVWidth", 7864570);
  TMainForm& form = Open();
  const RECT window = WindowRect(form.Handle());
  EXPECT_EQ(window.left, 60);
  EXPECT_EQ(window.top, 50);
  EXPECT_EQ(window.right - window.left, 700);
  EXPECT_EQ(window.bottom - window.top, 500);
  EXPECT_FALSE(Shown(form.Tools().Handle()));
  EXPECT_EQ(WindowRect(form.Tree().Handle()).right - WindowRect(form.Tree().Handle()).left, 150);
  EXPECT_EQ(WindowRect(form.Tree().Handle()).top, WindowRect(form.Handle()).top + GetSystemMetrics(SM_CYCAPTION) +
                                                        GetSystemMetrics(SM_CYMENU) + GetSystemMetrics(SM_CYFRAME))
      << "with no tool bar the tree starts under the menu";
  EXPECT_EQ(form.List().ColumnWidth(ListView::kNameColumn), 120);
  EXPECT_EQ(form.List().ColumnWidth(ListView::kDataColumn), 250);
  EXPECT_TRUE(form.Dispatcher().States().Checked(CommandId::kAutostart));
  EXPECT_EQ(messages_.errors, std::vector<std::string>{"Nothing was scanned: cannot read the knowledge base " +
                                                       files_.folder + "Knowbase.ini."})
      << "Autostart started, with no rules beside the program";

  Send(WmIdOf(CommandId::kToolBar));
  Send(WmIdOf(CommandId::kStatusBar));
  Send(WmIdOf(CommandId::kAutostart));
  Send(WmIdOf(CommandId::kAllValues));
  PumpMessages(form);
  EXPECT_TRUE(Shown(form.Tools().Handle()));
  EXPECT_FALSE(Shown(form.Status().Handle()));
  MoveWindow(form.Handle(), 70, 80, 640, 480, TRUE);
  Close();
  EXPECT_EQ(Stored("ToolBar2"), 1);
  EXPECT_EQ(Stored("StatusBar2"), 0);
  EXPECT_EQ(Stored("AllValues"), 0);
  EXPECT_EQ(Stored("AutoStart"), 0);
  EXPECT_EQ(Stored("Left"), 70);
  EXPECT_EQ(Stored("Top"), 80);
  EXPECT_EQ(Stored("Width"), 640);
  EXPECT_EQ(Stored("Height"), 480);
  EXPECT_EQ(Stored("TrVWidth"), 150);
  EXPECT_EQ(Stored("LVWidth"), 7864570);
}

TEST_F(MainWindowTest, DraggingTheSplitterSetsTheTreeWidth) {
  Store("TrVWidth", 150);
  TMainForm& form = Open();
  HWND splitter = FindWindowExA(form.Handle(), nullptr, "TarnelSplitter", nullptr);
  ASSERT_NE(splitter, nullptr);
  EXPECT_EQ(WindowRect(splitter).left, WindowRect(form.Tree().Handle()).right);
  EXPECT_EQ(WindowRect(splitter).right, WindowRect(form.List().Handle()).left);
  SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 5));
  SendMessageA(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(61, 5));
  SendMessageA(splitter, WM_LBUTTONUP, 0, MAKELPARAM(61, 5));
  EXPECT_EQ(form.TreeWidth(), 210);
  EXPECT_EQ(WindowRect(splitter).left, WindowRect(form.Tree().Handle()).right);
  SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 5));
  SendMessageA(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-1000, 5));
  SendMessageA(splitter, WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(form.TreeWidth(), 30) << "the tree keeps a width to grab";
  Close();
  EXPECT_EQ(Stored("TrVWidth"), 30);
}

TEST_F(MainWindowTest, AMaximisedWindowKeepsTheGeometryOfAnEarlierRun) {
  StoreGeometry(60, 50, 700, 500);
  NoTips();
  TMainForm& form = Open();
  ShowWindow(form.Handle(), SW_MAXIMIZE);
  PumpMessages(form);
  Send(WmIdOf(CommandId::kToolBar));
  Close();
  EXPECT_EQ(Stored("Left"), 60);
  EXPECT_EQ(Stored("Width"), 700);
  EXPECT_EQ(Stored("ToolBar2"), 0) << "the other settings are written";
}

TEST_F(MainWindowTest, AWindowStoredOffEveryMonitorOpensOnTheNearestOne) {
  StoreGeometry(5000, 4000, 500, 300);
  TMainForm& form = Open();
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const RECT window = WindowRect(form.Handle());
  EXPECT_EQ(window.right, work.right);
  EXPECT_EQ(window.bottom, work.bottom);
  EXPECT_EQ(window.right - window.left, 500);
  EXPECT_EQ(window.bottom - window.top, 300);
}

TEST_F(MainWindowTest, AStoredValueOfTheWrongTypeIsReportedAndTheWindowStillOpens) {
  Store("ToolBar2", 0);
  registry_->OpenWrite(kHkeyCurrentUser, kSettingsKey)->SetValue("StatusBar2", {kRegBinary, {1, 0, 0, 0}});
  StoreGeometry(60, 50, 700, 500);
  TMainForm& form = Open();
  EXPECT_EQ(messages_.errors, std::vector<std::string>{"Invalid data type for 'StatusBar2'"});
  EXPECT_FALSE(Shown(form.Tools().Handle())) << "read before the fault";
  EXPECT_EQ(WindowRect(form.Handle()).left,
            FirstRunSettings(DesignScale(GetDeviceCaps(GetDC(nullptr), LOGPIXELSX)), PrimaryWorkArea()).bounds->left)
      << "not read after the fault";
  char caption[128] = "";
  GetWindowTextA(form.Handle(), caption, sizeof caption);
  EXPECT_STREQ(caption, "Tarnel " TARNEL_PRODUCT_VERSION);
}

// Pixels of the screen inside the rectangle (in the control's coordinates)
// for which the test holds.
template <typename Test>
int PixelsWhere(HWND control, RECT rect, Test test) {
  MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  HDC screen = GetDC(nullptr);
  int count = 0;
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x)
      if (test(GetPixel(screen, x, y))) ++count;
  ReleaseDC(nullptr, screen);
  return count;
}

bool Dark(COLORREF pixel) { return GetRValue(pixel) < 100 && GetGValue(pixel) < 100 && GetBValue(pixel) < 100; }

// The dark pixels of the list's header: its column headings.
int HeaderInk(TMainForm& form) {
  HWND header = ListView_GetHeader(form.List().Handle());
  RECT rect{};
  GetClientRect(header, &rect);
  return PixelsWhere(header, rect, Dark);
}

TEST_F(MainWindowTest, WhatMovesPaintsAtOnceWithoutTheMouse) {
  StoreGeometry(40, 40, 800, 500);
  TMainForm& form = Open();
  ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
  Settle(400);
  ASSERT_GT(HeaderInk(form), 10) << "the headings show";
  for (int toggle = 0; toggle < 2; ++toggle) {
    Send(WmIdOf(CommandId::kToolBar));
    Settle(300);
    EXPECT_GT(HeaderInk(form), 10) << "after the tool bar went " << (toggle ? "on" : "off");
  }
  for (int toggle = 0; toggle < 2; ++toggle) {
    Send(WmIdOf(CommandId::kStatusBar));
    Settle(300);
    EXPECT_GT(HeaderInk(form), 10) << "after the status bar went " << (toggle ? "on" : "off");
  }
  HWND splitter = FindWindowExA(form.Handle(), nullptr, "TarnelSplitter", nullptr);
  ASSERT_NE(splitter, nullptr);
  const int tree = form.TreeWidth();
  SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 20));
  SendMessageA(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(61, 20));
  SendMessageA(splitter, WM_LBUTTONUP, 0, MAKELPARAM(61, 20));
  EXPECT_EQ(form.TreeWidth(), tree + 60);
  Settle(300);
  EXPECT_GT(HeaderInk(form), 10) << "after the splitter was dragged";

  // The size grip goes with the corner: none is left where it was.
  RECT bar{};
  GetClientRect(form.Status().Handle(), &bar);
  const RECT old_grip{bar.right - 14, bar.top + 4, bar.right - 2, bar.bottom - 2};
  const RECT window = WindowRect(form.Handle());
  MoveWindow(form.Handle(), window.left, window.top, window.right - window.left + 150, window.bottom - window.top, TRUE);
  Settle(300);
  HDC screen = GetDC(nullptr);
  POINT inside{old_grip.left - 30, (bar.top + bar.bottom) / 2};
  ClientToScreen(form.Status().Handle(), &inside);
  const COLORREF face = GetPixel(screen, inside.x, inside.y);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(PixelsWhere(form.Status().Handle(), old_grip, [&](COLORREF pixel) { return pixel != face; }), 0);
  SaveScreenshot(form.Handle(), "after-moves");
}

TEST_F(MainWindowTest, AMonitorOfAnotherResolutionRescalesTheWindow) {
  // The program says it is aware of each monitor's resolution.
  HRSRC manifest = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_NE(manifest, nullptr);
  const std::string text(static_cast<const char*>(LockResource(LoadResource(nullptr, manifest))),
                         SizeofResource(nullptr, manifest));
  EXPECT_NE(text.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);

  StoreGeometry(40, 40, 800, 500);
  Store("TrVWidth", 300);
  Store("LVWidth", (100 << 16) | 200);
  TMainForm& form = Open();
  const int dpi = form.Dpi();
  RECT suggested{100, 80, 100 + 1200, 80 + 750};
  SendMessageA(form.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi * 3 / 2, dpi * 3 / 2), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(form.Dpi(), dpi * 3 / 2);
  const RECT window = WindowRect(form.Handle());
  EXPECT_EQ((Rect{window.left, window.top, window.right, window.bottom}), (Rect{100, 80, 1300, 830}));
  EXPECT_EQ(form.TreeWidth(), 450);
  EXPECT_EQ(form.List().ColumnWidth(ListView::kNameColumn), 150);
  EXPECT_EQ(form.List().ColumnWidth(ListView::kDataColumn), 300);
  int edges[4] = {};
  SendMessageA(form.Status().Handle(), SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges));
  const DesignScale scaled(dpi * 3 / 2);
  RECT client{};
  GetClientRect(form.Handle(), &client);
  EXPECT_EQ(edges[0], std::max(scaled(250), static_cast<int>(client.right) - scaled(300) - scaled(50)));
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(form.Tree().Handle(), WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_EQ(std::abs(font.lfHeight), DesignScale(dpi * 3 / 2)(13));
}

TEST_F(MainWindowTest, TheAboutBoxShowsTheVersionRecordAndOpensItsLinks) {
  TMainForm& form = Open();
  TAboutBox about(versions_, shell_);
  HWND box = about.Create(form.Handle());
  ASSERT_NE(box, nullptr);
  auto text = [&](int id) {
    char buffer[256] = "";
    GetDlgItemTextA(box, id, buffer, sizeof buffer);
    return std::string(buffer);
  };
  EXPECT_EQ(text(IDC_ABOUT_PRODUCT), "Tarnel");
  EXPECT_EQ(text(IDC_ABOUT_VERSION), "Version " TARNEL_PRODUCT_VERSION);
  EXPECT_EQ(text(IDC_ABOUT_FILE_VERSION), TARNEL_FILE_VERSION);
  EXPECT_EQ(text(IDC_ABOUT_COMMENTS), "Cleaning the Windows Registry");

  HWND mail = GetDlgItem(box, IDC_ABOUT_MAIL);
  auto underlined = [&](HWND label) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfUnderline != 0;
  };
  EXPECT_FALSE(underlined(mail));
  SendMessageA(box, WM_SETCURSOR, reinterpret_cast<WPARAM>(mail), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_TRUE(underlined(mail));

  SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_MAIL, STN_CLICKED), reinterpret_cast<LPARAM>(mail));
  SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_WEB, STN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, IDC_ABOUT_WEB)));
  EXPECT_EQ(shell_.opened,
            (std::vector<std::string>{TARNEL_MAIL_LINK "?Subject=Tarnel", TARNEL_WEB_LINK}));

  ShowWindow(box, SW_SHOW);
  Settle(400);
  SaveScreenshot(box, "about-box");
  SendMessageA(box, WM_COMMAND, IDCANCEL, 0);  // what Esc does
  EXPECT_FALSE(IsWindow(box));
}

}  // namespace
