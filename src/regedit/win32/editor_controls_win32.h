#pragma once
// The registry editor's tree of keys and list of values, driven from our
// process: every record and text the controls read or write lies in a
// buffer the editor's process can address.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "regedit/RegEditAccess.h"
#include "regedit/win32/item_buffer_win32.h"

// How the controls are asked for texts. The editor is a Unicode program:
// its answers to the ANSI messages come in the system's code page, not in
// this program's, so they are asked in UTF-16 wherever the system can
// (everywhere but Windows 95, 98 and ME, whose controls answer in ANSI, the
// code page of every program there).
enum class EditorTexts { kAnsi, kWide };

class EditorTreeControl : public EditorTree {
 public:
  EditorTreeControl(HWND tree, ItemBuffer& buffer, EditorTexts texts) : tree_(tree), buffer_(buffer), texts_(texts) {}
  Item Root() override;
  Item FirstChild(Item item) override;
  Item NextSibling(Item item) override;
  std::optional<std::string> Text(Item item) override;
  void Expand(Item item) override;
  void Refresh(Item item) override;
  void Select(Item item) override;
  Item Selected();

 private:
  HWND tree_;
  ItemBuffer& buffer_;
  EditorTexts texts_;
};

class EditorListControl {
 public:
  EditorListControl(HWND list, ItemBuffer& buffer, EditorTexts texts) : list_(list), buffer_(buffer), texts_(texts) {}
  std::vector<std::string> Rows();
  // Selects and focuses the row alone, and shows it.
  bool SelectOnly(int row);
  // The focused row's text; none without one.
  std::optional<std::string> Focused();

 private:
  std::optional<std::string> RowText(int row);
  HWND list_;
  ItemBuffer& buffer_;
  EditorTexts texts_;
};

// A message to the editor that gives up when the editor does not answer
// within a few seconds (a hung editor must not hang Tarnel); 0 then.
LRESULT AskEditor(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// The first window of the class below the parent, at any depth (Wine puts a
// window between the editor's frame and its controls).
HWND FindDescendant(HWND parent, const char* window_class);
