#pragma once
// MainForm: the program's main window. It lays out the tool bar, the result
// tree, the splitter, the value list and the status bar, builds its menus,
// tool buttons and shortcuts from the command table, restores and saves its
// settings, and routes each window message to one handler.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "app/command_dispatcher.h"
#include "app/form_texts.h"
#include "app/geometry.h"
#include "app/settings.h"
#include "app/user_messages.h"
#include "app/version_info.h"
#include "lang/langv.h"
#include "app/win32/gdi.h"
#include "app/win32/list_view.h"
#include "app/win32/menus.h"
#include "app/win32/splitter.h"
#include "app/win32/status_bar.h"
#include "app/win32/tool_bar.h"
#include "app/win32/tree_view.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/shell.h"

// What the main window reads, writes and reports through.
struct MainFormServices {
  Registry& registry;
  FileSystem& files;
  VersionRecordReader& versions;
  Shell& shell;
  UserMessages& messages;
};

class TMainForm {
 public:
  static constexpr const char* kWindowClass = "TarnelMainWindow";
  static constexpr const char* kHelpFileName = "Tarnel.hlp";

  explicit TMainForm(const MainFormServices& services);
  ~TMainForm();
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
  const std::string& HelpFile() const { return help_file_; }
  const TLangv& Langv() const { return *FLangv; }
  const FormTexts& Texts() const { return texts_; }
  int TreeWidth() const { return tree_width_; }

 private:
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
  void OnCommand(int wm_id);
  void OnMenuItem(MenuItemId item);
  LRESULT OnNotify(NMHDR* header);
  void OnContextMenu(HWND control, POINT screen_point);
  void ToolBar2Click(MenuItemId toggle);
  void ViewAllValuesExecute();
  void About1Click();
  // Every menu entry and tool button shows its command's current state.
  void ShowCommandStates();
  WindowSnapshot Snapshot() const;

  MainFormServices services_;
  DesignScale scale_;
  HWND window_ = nullptr;
  FormTexts texts_;
  std::unique_ptr<TLangv> FLangv;
  bool tips_offered_ = false;
  CommandDispatcher dispatcher_;
  std::optional<CommandStates> shown_states_;
  std::optional<MenuSet> menus_;
  UniqueAccelerators accelerators_;
  UniqueImageList node_pictures_;
  UniqueFont font_;
  ToolBar tool_bar_;
  TreeView tree_;
  Splitter splitter_;
  ListView list_;
  StatusBar status_bar_;
  int tree_width_ = 0;
  std::string help_file_;
};
