#pragma once
// MainForm: the program's main window. It lays out the tool bar, the result
// tree, the splitter, the value list and the status bar, builds its menus,
// tool buttons and shortcuts from the command table, restores and saves its
// settings, and routes each window message to one handler.
#include <windows.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "app/command_dispatcher.h"
#include "clean/scan_session.h"
#include "app/form_texts.h"
#include "app/geometry.h"
#include "app/settings.h"
#include "regedit/navigator.h"
#include "app/command_rules.h"
#include "app/user_messages.h"
#include "app/version_info.h"
#include "lang/langv.h"
#include "app/win32/gdi.h"
#include "app/win32/help_viewer.h"
#include "app/win32/list_view.h"
#include "app/win32/menus.h"
#include "app/win32/splitter.h"
#include "app/win32/status_bar.h"
#include "app/win32/system_restore_win32.h"
#include "app/win32/tool_bar.h"
#include "app/win32/tree_mirror.h"
#include "app/win32/tree_view.h"
#include "mail/mymapi.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/win32/ui_thread_win32.h"
#include "scan/result_tree.h"
#include "scan/scan_view.h"

// What the main window reads, writes and reports through.
struct MainFormServices {
  Registry& registry;
  FileSystem& files;
  VersionRecordReader& versions;
  Shell& shell;
  UserMessages& messages;
  Clock& clock;
  MapiLibrary& mapi;
  Clipboard& clipboard;
  RegistryNavigator& navigator;
};

// The scanner changes the window through its ScanView side, on the UI
// thread.
class TMainForm : public ScanView {
 public:
  static constexpr const char* kWindowClass = "TarnelMainWindow";
  static constexpr const char* kHelpFileName = "Tarnel.chm";
  // The help context of the main window: F1 opens the manual there.
  static constexpr DWORD kHelpContext = 1;

  explicit TMainForm(const MainFormServices& services);
  ~TMainForm() override;
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;

  // Creates the window, hidden, with everything in it; then restores the
  // settings, sets the caption and, with Autostart on, starts a scan.
  bool Create();
  HWND Handle() const { return window_; }

  // The message loop's part: shortcuts, and the update rules when idle.
  bool TranslateShortcut(MSG& message);
  void OnIdle();

  CommandDispatcher& Dispatcher() { return dispatcher_; }
  const MenuSet& Menus() const { return *menus_; }
  const TreeView& Tree() const { return tree_; }
  const ListView& List() const { return list_; }
  const StatusBar& Status() const { return status_bar_; }
  const ToolBar& Tools() const { return tool_bar_; }
  const std::string& HelpFile() const { return help_->File(); }
  const TLangv& Langv() const { return *FLangv; }
  const FormTexts& Texts() const { return texts_; }
  int TreeWidth() const { return tree_width_; }
  int Dpi() const { return scale_.Dpi(); }
  const ResultTree& Results() const { return session_->Tree(); }
  // The record the value list shows (ListView1's Tag); null for none.
  const TErrorClass* ListRecord() const { return list_record_; }
  bool Scanning() const { return session_ && session_->Scanning(); }
  // Selects the node's item, as a click would.
  void SelectNode(const ResultNode& node);
  // Expands every node of the tree at every level, at once.
  void ExpandResults();
  // Runs when a scan has ended, after ScanFinished; for whoever waits.
  std::function<void()> OnScanFinished;

  // ScanView: what the scanner changes, on the UI thread.
  bool ClearResults() override;
  void NoteUnreadable(const std::string& full_name) override;
  void SetProgressMax(int maximum) override;
  void SetProgressStep(int step) override;
  void SetProgressPosition(int position) override;
  void StepProgress() override;
  void SetStatusText(const std::string& text) override;
  void InsertProblem(const std::string& full_path, std::unique_ptr<TErrorClass> record) override;

 private:
  // The timer that releases the tree's held repaints.
  static constexpr UINT_PTR kTreeRedrawTimer = 1;

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);

  void CreateControls();
  void SetHandlers();
  void FormCreate();
  void ApplySettings(const MainSettings& settings);
  void CaptionStep();
  void AutostartStep();
  void FormDestroy();
  void BuildLanguageMenu();
  void LanguageItemClick(std::size_t entry);
  // The menus, tooltips and column headings show the texts as they are now.
  void ShowTexts();
  void FormActivate();
  void ShowTipsAtStartup();
  MainSettings CurrentSettings() const;

  void Layout();
  void SetTreeWidth(int width);
  // The window moved to a monitor of another resolution: everything scaled
  // to it, the window placed as Windows suggests.
  void OnDpiChanged(int dpi, const RECT& suggested);
  void OnCommand(int wm_id);
  LRESULT OnNotify(NMHDR* header);
  void OnContextMenu(HWND control, POINT screen_point);
  // View > ToolBar and View > StatusBar.
  void ToggleBar(CommandId toggle);
  void ViewAllValuesExecute();
  // Says so when the manual could not be shown.
  void ShowHelp(HWND help_window);
  void ActionStartExecute();
  void ActionStopExecute();
  void ScanFinished();
  void EditSelectAll1Execute();
  void TreeViewChange(ResultNode* node);
  void FillValueList(const ResultNode* node);
  LRESULT TreeViewCustomDraw(NMTVCUSTOMDRAW& draw);
  LRESULT ListView1CustomDraw(NMLVCUSTOMDRAW& draw);
  LRESULT OnTreeNotify(NMHDR* header);
  LRESULT OnListNotify(NMHDR* header);
  SelectedNode SelectedNodeState() const;
  // The tree, the list, or neither, by the keyboard focus.
  ActiveControl ActiveControlNow() const;
  ResultNode* CurrentNode() const;
  // Repaints of the tree are held back while a burst of nodes comes in.
  void HoldTreeRedraw();
  void ReleaseTreeRedraw();
  void SetBusyCursor(bool busy);
  // The commands that act on the results.
  void ActionDeleteKeyExecute();
  void ActionDeleteValueExecute();
  void ActionDeleteAllExecute();
  // Edit > Delete: Delete Key or Delete, as the active control says.
  void EditDeleteExecute();
  void ActionCopyKeyNameExecute();
  void COpyOnlyName1Click();
  void CopyName1Click();
  void CopyValue1Click();
  void ActionRegEditExecute();
  void TreeViewDblClick();
  void ListView1DblClick();
  void ActionSaveToFileExecute();
  void ActionSendExecute();
  void RestoreBackup();
  void ActionIgnoreExecute();
  void ShowIgnoredItems();
  // The restore center, undo and the restore point (main_backups.cpp).
  void ActionBackupsExecute();
  void ActionUndoDeleteExecute();
  void OptionsRestorePointExecute();
  // Restores the file after the usual question; the summary says what was written.
  void RestoreFile(const std::string& file);
  // A deletion has run: its backup file goes into the history and becomes
  // what Undo Delete restores.
  void RecordBackup(const std::string& made_by, const DeletionSummary& summary);
  // The record of the selected node; null for none.
  const TErrorClass* SelectedRecord() const;
  // A deletion changed the tree or the record on show: the list shows it.
  void ShowAfterDeletion(const std::string& status);
  void About1Click();
  // Decides every command's state from the window as it is now; the menu
  // entries and tool buttons show it.
  void ShowCommandStates();
  WindowSnapshot Snapshot() const;

  MainFormServices services_;
  DesignScale scale_;
  Win32UiThread ui_;
  HWND window_ = nullptr;
  std::string undo_backup_;  // the file the last deletion of this run wrote; empty: none
  WindowOptions options_;
  // From a successful Start to ScanFinished.
  bool scan_running_ = false;
  Win32SystemRestore system_restore_;
  std::optional<TMyMapi> mail_;
  // The results, their backup journal and the scanner; made with the window.
  std::optional<ScanSession> session_;
  TreeMirror mirror_;
  const TErrorClass* list_record_ = nullptr;
  bool busy_cursor_ = false;
  bool tree_redraw_held_ = false;
  // How long the tree took to lay itself out when its repaints last resumed.
  std::chrono::milliseconds tree_layout_time_{0};
  // The first node of a scan expands the top: the tree shows what is found.
  bool show_first_result_ = false;
  // What the status bar says of the last scan when no problem is selected:
  // that it was stopped, until the next one starts.
  std::string scan_note_;
  bool placing_window_ = false;  // the stored geometry is being applied
  FormTexts texts_;
  std::unique_ptr<TLangv> FLangv;
  bool tips_offered_ = false;
  CommandDispatcher dispatcher_;
  std::optional<CommandStates> shown_states_;
  std::optional<MenuSet> menus_;
  UniqueAccelerators accelerators_;
  UniqueImageList node_pictures_;
  UniqueFont font_;
  UniqueFont bold_font_;
  ToolBar tool_bar_;
  TreeView tree_;
  Splitter splitter_;
  ListView list_;
  StatusBar status_bar_;
  int tree_width_ = 0;
  std::unique_ptr<HelpViewer> help_;
};
