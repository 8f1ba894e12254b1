#include "app/win32/main.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "app/language_menu.h"
#include "app/tips.h"
#include "app/win32/About.h"
#include "app/win32/Tips.h"
#include "app/win32/accelerators.h"
#include "app/win32/command_ids.h"
#include "app/win32/resources.h"
#include "app/win32/version_record_win32.h"
#include "app/win32/window_object.h"
#include "lang/message_numbers.h"
#include "platform/file_errors.h"
#include "platform/win32/code_page_win32.h"
#include "platform/registry_errors.h"

namespace {

enum ControlId { kToolBarId = 1, kTreeId, kListId, kStatusBarId };

constexpr int kNodePictures[] = {IDI_NODE_FOLDER, IDI_NODE_FOLDER_OPEN, IDI_NODE_BINARY, IDI_NODE_TEXT,
                                 IDI_NODE_COMPUTER};
constexpr int kNodePictureSize = 20;
constexpr int kDesignFontHeight = 13;
constexpr int kTreeIndent = 23;
constexpr int kDesignSplitterWidth = 3;
constexpr int kMinimumPaneWidth = 30;
constexpr int kDesignPanelWidths[3] = {250, 300, 50};
// Posted by the first activation: the tips open once activation is over.
constexpr UINT kShowTipsMessage = WM_APP + 1;
constexpr int kEditMenuPosition = 1;

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(monitor, &info))
    reinterpret_cast<std::vector<Rect>*>(areas)->push_back(
        {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom});
  return TRUE;
}

std::vector<Rect> WorkAreas() {
  std::vector<Rect> areas;
  EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));
  return areas;
}

// The work area of the monitor the window is on.
Rect WorkAreaOf(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info);
  return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
}

void ShowControl(HWND control, bool shown) { ShowWindow(control, shown ? SW_SHOW : SW_HIDE); }

// Shown within the window, whether or not the window itself is on screen yet.
bool IsShown(HWND control) { return (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0; }

}  // namespace

TMainForm::TMainForm(const MainFormServices& services)
    : services_(services), scale_(ScreenDpi()), dispatcher_([this] { return Snapshot(); }) {
  SetHandlers();
}

TMainForm::~TMainForm() {
  if (window_) DestroyWindow(window_);
}

void TMainForm::SetHandlers() {
  dispatcher_.SetHandler(CommandId::kStart, [this] { ActionStartExecute(); });
  dispatcher_.SetHandler(CommandId::kStop, [this] { ActionStopExecute(); });
  dispatcher_.SetHandler(CommandId::kSelectAll, [this] { EditSelectAll1Execute(); });
  dispatcher_.SetHandler(CommandId::kClose, [this] { PostMessageA(window_, WM_CLOSE, 0, 0); });
  dispatcher_.SetHandler(CommandId::kDeleteKey, [this] { ActionDeleteKeyExecute(); });
  dispatcher_.SetHandler(CommandId::kDeleteValue, [this] { ActionDeleteValueExecute(); });
  dispatcher_.SetHandler(CommandId::kDeleteAll, [this] { ActionDeleteAllExecute(); });
  dispatcher_.SetHandler(CommandId::kCopyKeyName, [this] { ActionCopyKeyNameExecute(); });
  dispatcher_.SetHandler(CommandId::kRegEdit, [this] { ActionRegEditExecute(); });
  dispatcher_.SetHandler(CommandId::kSaveToFile, [this] { ActionSaveToFileExecute(); });
  dispatcher_.SetHandler(CommandId::kSend, [this] { ActionSendExecute(); });
  dispatcher_.SetHandler(CommandId::kAllValues, [this] { ViewAllValuesExecute(); });
  dispatcher_.SetHandler(CommandId::kIgnore, [this] { ActionIgnoreExecute(); });
  dispatcher_.SetHandler(CommandId::kBackups, [this] { ActionBackupsExecute(); });
  dispatcher_.SetHandler(CommandId::kUndoDelete, [this] { ActionUndoDeleteExecute(); });
  dispatcher_.SetHandler(CommandId::kRestorePoint, [this] { OptionsRestorePointExecute(); });
  dispatcher_.SetHandler(CommandId::kHelpContents, [this] { ShowHelp(help_->ShowContents(window_)); });
  dispatcher_.SetHandler(CommandId::kToolBar, [this] { ToggleBar(CommandId::kToolBar); });
  dispatcher_.SetHandler(CommandId::kStatusBar, [this] { ToggleBar(CommandId::kStatusBar); });
  // Takes effect at the next start, when the setting is read.
  dispatcher_.SetHandler(CommandId::kAutostart, [this] { options_.auto_start = !options_.auto_start; });
  dispatcher_.SetHandler(CommandId::kAbout, [this] { About1Click(); });
  dispatcher_.SetHandler(CommandId::kDelete, [this] { EditDeleteExecute(); });
  dispatcher_.SetHandler(CommandId::kCopyOnlyName, [this] { COpyOnlyName1Click(); });
  dispatcher_.SetHandler(CommandId::kCopyName, [this] { CopyName1Click(); });
  dispatcher_.SetHandler(CommandId::kCopyValue, [this] { CopyValue1Click(); });
  dispatcher_.SetHandler(CommandId::kRestoreBackup, [this] { RestoreBackup(); });
  dispatcher_.SetHandler(CommandId::kIgnoredItems, [this] { ShowIgnoredItems(); });
}

bool TMainForm::Create() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA window_class{};
  if (!GetClassInfoA(instance, kWindowClass, &window_class)) {
    window_class.lpfnWndProc = WindowProc;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TARNEL));
    window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = kWindowClass;
    if (!RegisterClassA(&window_class)) return false;
  }
  menus_.emplace(texts_);
  const Rect design = DesignBounds(scale_);
  window_ = CreateWindowExA(0, kWindowClass, "MainForm", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, design.left,
                            design.top, design.Width(), design.Height(), nullptr, menus_->TakeBar(), instance, this);
  if (!window_) return false;
  mail_.emplace(reinterpret_cast<std::uintptr_t>(window_), services_.mapi);
  session_.emplace(ScanSessionServices{services_.registry, services_.files, services_.clock, *mail_, ui_,
                                       Win32CodePages()});
  CreateControls();
  FormCreate();
  CaptionStep();
  AutostartStep();
  return true;
}

void TMainForm::CreateControls() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  font_ = MakeFont("MS Sans Serif", scale_(kDesignFontHeight));
  bold_font_ = MakeFont("MS Sans Serif", scale_(kDesignFontHeight), true);
  accelerators_ = MakeCommandAccelerators();
  tool_bar_.Create(window_, kToolBarId, instance, scale_.Dpi() < 120 ? 16 : 24);
  node_pictures_ = LoadIconList(instance, kNodePictures, static_cast<int>(std::size(kNodePictures)), kNodePictureSize);
  // The pictures keep their 20 pixels at any resolution, and so does the indent.
  tree_.Create(window_, kTreeId, instance, node_pictures_.get(), kTreeIndent);
  mirror_.Attach(tree_.Handle(), session_->Tree(), tree_.TopNode());
  splitter_.Create(window_, instance, [this](int left) { SetTreeWidth(left); });
  const MainSettings design = DesignSettings(scale_);
  list_.Create(window_, kListId, instance, node_pictures_.get(), design.name_width, design.data_width);
  int panels[3];
  for (int i = 0; i < 3; ++i) panels[i] = scale_(kDesignPanelWidths[i]);
  // The progress bar is created inside the status bar, where it lives.
  status_bar_.Create(window_, kStatusBarId, instance, scale_(kDesignFontHeight), panels);
  for (HWND control : {tree_.Handle(), list_.Handle()})
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  tree_width_ = design.tree_width;
  ShowCommandStates();
}

void TMainForm::FormCreate() {
  help_ = std::make_unique<HelpViewer>(services_.files.ExeFolder() + kHelpFileName);
  FLangv = std::make_unique<TLangv>(texts_, services_.registry, services_.files);
  FLangv->UseCodePages(Win32CodePage::Program(),
                       [](unsigned number) { return std::make_unique<Win32CodePage>(number); });
  BuildLanguageMenu();
  MainSettings settings = FirstRunSettings(scale_, WorkAreaOf(window_));
  try {
    ReadSettings(services_.registry, settings);
  } catch (const RegistryError& error) {
    // The values read so far count; the others keep their design values.
    services_.messages.Error(error.what());
  }
  ApplySettings(settings);
  options_.restore_point = ReadRestorePointOption(services_.registry);
  ShowCommandStates();
}

void TMainForm::BuildLanguageMenu() {
  const std::vector<std::string> names = ReadLanguageNames(services_.files);
  menus_->SetLanguages(names);
  const auto current = CurrentLanguageEntry(names, FLangv->CurLang());
  if (!current) return;
  const std::string& stored = names[*current];
  if (!FLangv->LoadLanguage(stored)) {
    // The stored language is gone: English, from its file or built in.
    if (!FLangv->LoadLanguage(TLangv::kDefaultLanguage)) FLangv->UseBuiltInEnglish();
    services_.messages.Error(LanguageNotLoadedText(stored, FLangv->LanguageFile(stored), *FLangv));
  }
  if (const auto shown = CurrentLanguageEntry(names, FLangv->CurLang())) menus_->CheckOnlyLanguage(*shown);
  FLangv->ApplyToForm();
  ShowTexts();
}

void TMainForm::LanguageItemClick(std::size_t entry) {
  const std::string name = LanguageOfCaption(menus_->LanguageCaption(entry));
  if (name == FLangv->CurLang()) return;
  if (!FLangv->LoadLanguage(name)) {
    services_.messages.Error(LanguageNotLoadedText(name, FLangv->LanguageFile(name), *FLangv));
    return;
  }
  menus_->CheckOnlyLanguage(entry);
  FLangv->ApplyToForm();
  ShowTexts();
}

void TMainForm::ShowTexts() {
  menus_->ShowTexts(window_);
  list_.SetColumnHeading(ListView::kNameColumn, texts_.Text(FormText::kNameColumn));
  list_.SetColumnHeading(ListView::kDataColumn, texts_.Text(FormText::kDataColumn));
  // Tooltips ask for their text each time they show.
}

void TMainForm::FormActivate() {
  if (tips_offered_) return;
  tips_offered_ = true;
  PostMessageA(window_, kShowTipsMessage, 0, 0);
}

void TMainForm::ShowTipsAtStartup() {
  if (!ReadShowTips(services_.registry)) return;
  TfrTips tips(*FLangv);
  tips.ShowModal(window_);
  WriteShowTips(services_.registry, tips.ShowAtStartup());
}

void TMainForm::ApplySettings(const MainSettings& settings) {
  options_.tool_bar = settings.tool_bar;
  options_.status_bar = settings.status_bar;
  options_.all_values = settings.all_values;
  options_.auto_start = settings.auto_start;
  ShowControl(tool_bar_.Handle(), settings.tool_bar);
  ShowControl(status_bar_.Handle(), settings.status_bar);
  const Rect bounds = settings.bounds ? KeepOnScreen(*settings.bounds, WorkAreas()) : DesignBounds(scale_);
  // A stored size stays exact, also on a monitor of another resolution.
  placing_window_ = true;
  MoveWindow(window_, bounds.left, bounds.top, bounds.Width(), bounds.Height(), FALSE);
  placing_window_ = false;
  tree_width_ = settings.tree_width;
  list_.SetColumnWidth(ListView::kNameColumn, settings.name_width);
  list_.SetColumnWidth(ListView::kDataColumn, settings.data_width);
  ShowCommandStates();
  Layout();
}

void TMainForm::CaptionStep() {
  const TVersionInfo version(OwnExecutableName(), services_.versions);
  SetWindowTextA(window_, (version.GetProductName() + " " + version.GetProductVersion()).c_str());
}

void TMainForm::AutostartStep() {
  if (options_.auto_start) dispatcher_.Execute(CommandId::kStart);
}

MainSettings TMainForm::CurrentSettings() const {
  MainSettings settings;
  settings.tool_bar = options_.tool_bar;
  settings.status_bar = options_.status_bar;
  settings.all_values = options_.all_values;
  settings.auto_start = options_.auto_start;
  RECT window{};
  GetWindowRect(window_, &window);
  settings.bounds = Rect{window.left, window.top, window.right, window.bottom};
  settings.tree_width = tree_width_;
  settings.name_width = list_.ColumnWidth(ListView::kNameColumn);
  settings.data_width = list_.ColumnWidth(ListView::kDataColumn);
  return settings;
}

void TMainForm::FormDestroy() {
  // A running scan works on the controls: it ends before they go.
  session_->End();
  FLangv.reset();  // stores the current language
  const bool normal = !IsIconic(window_) && !IsZoomed(window_);
  WriteSettings(services_.registry, CurrentSettings(), normal);
}

bool TMainForm::TranslateShortcut(MSG& message) {
  if (!window_) return false;
  // Alt+F4 closes the window whatever control has the focus: the tree
  // control of some systems takes the key for itself.
  if (message.message == WM_SYSKEYDOWN && message.wParam == VK_F4 && IsChild(window_, message.hwnd)) {
    PostMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
    return true;
  }
  return TranslateAcceleratorA(window_, accelerators_.get(), &message);
}

void TMainForm::OnIdle() { ShowCommandStates(); }

WindowSnapshot TMainForm::Snapshot() const {
  WindowSnapshot window;
  window.node = SelectedNodeState();
  window.record = SelectedRecord();
  window.active = ActiveControlNow();
  window.first_selected_row = list_.SelectedCaption();
  window.scanning = scan_running_;
  window.tree_nodes = tree_.Count();
  window.list_rows = list_.RowCount();
  window.undo_backup = !undo_backup_.empty();
  window.options = options_;
  return window;
}

ActiveControl TMainForm::ActiveControlNow() const {
  const HWND focus = GetFocus();
  if (focus && focus == tree_.Handle()) return ActiveControl::kTree;
  if (focus && focus == list_.Handle()) return ActiveControl::kList;
  return ActiveControl::kOther;
}

// The one place where the states are decided and shown.
void TMainForm::ShowCommandStates() {
  dispatcher_.Update();
  if (shown_states_ == dispatcher_.States()) return;
  menus_->ShowCommandStates(dispatcher_.States());
  tool_bar_.ShowCommandStates(dispatcher_.States());
  shown_states_ = dispatcher_.States();
}

void TMainForm::Layout() {
  RECT client{};
  GetClientRect(window_, &client);
  int top = 0;
  if (IsShown(tool_bar_.Handle())) {
    SendMessageA(tool_bar_.Handle(), TB_AUTOSIZE, 0, 0);
    top = tool_bar_.Height();
  }
  SendMessageA(status_bar_.Handle(), WM_SIZE, 0, 0);
  status_bar_.SetWidth(client.right);
  const int bottom = client.bottom - status_bar_.Height();
  const int height = std::max(0, bottom - top);
  const int splitter = std::max(kDesignSplitterWidth, scale_(kDesignSplitterWidth));
  const int tree = std::clamp(tree_width_, 0, std::max(0, static_cast<int>(client.right) - splitter));
  MoveWindow(tree_.Handle(), 0, top, tree, height, TRUE);
  MoveWindow(splitter_.Handle(), tree, top, splitter, height, TRUE);
  MoveWindow(list_.Handle(), tree + splitter, top, std::max(0, static_cast<int>(client.right) - tree - splitter),
             height, TRUE);
  // What moved paints again at once: the list's header and rows, and the
  // status bar's size grip, would otherwise wait for the mouse.
  for (HWND moved : {tree_.Handle(), list_.Handle(), status_bar_.Handle()})
    RedrawWindow(moved, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TMainForm::OnDpiChanged(int dpi, const RECT& suggested) {
  const int old_dpi = scale_.Dpi();
  scale_ = DesignScale(dpi);
  const auto rescaled = [&](int pixels) { return MulDiv(pixels, dpi, old_dpi); };
  tree_width_ = rescaled(tree_width_);
  for (const ListView::Column column : {ListView::kNameColumn, ListView::kDataColumn})
    list_.SetColumnWidth(column, rescaled(list_.ColumnWidth(column)));
  UniqueFont font = MakeFont("MS Sans Serif", scale_(kDesignFontHeight));
  for (HWND control : {tree_.Handle(), list_.Handle()})
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  font_ = std::move(font);  // the old one only once no control uses it
  bold_font_ = MakeFont("MS Sans Serif", scale_(kDesignFontHeight), true);
  int panels[3];
  for (int i = 0; i < 3; ++i) panels[i] = scale_(kDesignPanelWidths[i]);
  status_bar_.SetSizes(scale_(kDesignFontHeight), panels);
  if (!placing_window_)
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  Layout();
}

void TMainForm::SetTreeWidth(int width) {
  RECT client{};
  GetClientRect(window_, &client);
  const int widest = std::max(kMinimumPaneWidth, static_cast<int>(client.right) - kMinimumPaneWidth);
  tree_width_ = std::clamp(width, kMinimumPaneWidth, widest);
  Layout();
}

LRESULT CALLBACK TMainForm::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = AttachedObject<TMainForm>(window, message, lparam);
  if (!self) return DefWindowProcA(window, message, wparam, lparam);
  if (message == WM_NCCREATE) self->window_ = window;
  return self->Handle(message, wparam, lparam);
}

LRESULT TMainForm::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      if (tree_.Handle()) Layout();
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wparam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<NMHDR*>(lparam));
    case WM_NOTIFYFORMAT:
      return NFR_ANSI;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      if (item->hwndItem != status_bar_.Handle()) break;
      status_bar_.DrawPanel(*item);
      return TRUE;
    }
    case WM_INITMENUPOPUP:
      ShowCommandStates();  // a menu shows the states of the window as it is now
      if (reinterpret_cast<HMENU>(wparam) == GetSubMenu(GetMenu(window_), kEditMenuPosition))
        menus_->ShowDeleteBinding(EditMenuRule(ActiveControlNow(), SelectedNodeState()).binding);
      return 0;
    case WM_SETCURSOR:
      if (!busy_cursor_ || LOWORD(lparam) != HTCLIENT) break;
      SetCursor(LoadCursor(nullptr, IDC_APPSTARTING));
      return TRUE;
    case WM_TIMER:
      if (wparam == kTreeRedrawTimer) ReleaseTreeRedraw();
      return 0;
    case WM_CONTEXTMENU:
      OnContextMenu(reinterpret_cast<HWND>(wparam), {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE) FormActivate();
      break;
    case kShowTipsMessage:
      ShowTipsAtStartup();
      return 0;
    case WM_HELP:
      ShowHelp(help_->ShowContext(window_, kHelpContext));
      return TRUE;
    case WM_DESTROY:
      FormDestroy();
      return 0;
    case WM_NCDESTROY:
      mirror_.Detach();
      window_ = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcA(window_, message, wparam, lparam);
}

void TMainForm::OnCommand(int wm_id) {
  if (IsCommandWmId(wm_id)) {
    dispatcher_.Execute(CommandOfWmId(wm_id));
    ShowCommandStates();
  } else if (IsLanguageWmId(wm_id)) {
    LanguageItemClick(static_cast<std::size_t>(wm_id - kFirstLanguageId));
  }
}

LRESULT TMainForm::OnNotify(NMHDR* header) {
  switch (header->idFrom) {
    case kTreeId:
      return OnTreeNotify(header);
    case kListId:
      return OnListNotify(header);
    default:
      tool_bar_.OnNotify(header, texts_.Commands());
      return 0;
  }
}

void TMainForm::OnContextMenu(HWND control, POINT point) {
  if (control != tree_.Handle() && control != list_.Handle()) return;
  if (point.x == -1 && point.y == -1) {  // from the keyboard: at the control's corner
    point = {0, 0};
    ClientToScreen(control, &point);
  }
  // What a context menu's command acts on is the control it opened on.
  SetFocus(control);
  ShowCommandStates();
  const HMENU menu = control == tree_.Handle() ? menus_->TreePopup() : menus_->ListPopup();
  if (const int chosen = TrackContextMenu(window_, menu, point)) OnCommand(chosen);
}

void TMainForm::ToggleBar(CommandId toggle) {
  const bool tools = toggle == CommandId::kToolBar;
  bool& shown = tools ? options_.tool_bar : options_.status_bar;
  shown = !shown;
  ShowControl(tools ? tool_bar_.Handle() : status_bar_.Handle(), shown);
  Layout();
}

void TMainForm::ShowHelp(HWND help_window) {
  if (!help_window) services_.messages.Error(FillIn(FLangv->GetMsg(kMsgHelpNotOpened), {help_->File()}));
}

void TMainForm::ViewAllValuesExecute() {
  options_.all_values = !options_.all_values;
  ShowCommandStates();
  FillValueList(CurrentNode());
}

void TMainForm::About1Click() {
  TAboutBox about(services_.versions, services_.shell);
  about.ShowModal(window_);
}
