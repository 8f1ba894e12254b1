#include "regedit/win32/editor_controls_win32.h"

#include <commctrl.h>

#include "platform/win32/code_page_win32.h"

namespace {

LPARAM RemoteAddress(ItemBuffer& buffer, std::size_t offset = 0) {
  return reinterpret_cast<LPARAM>(static_cast<char*>(buffer.Address()) + offset);
}

void ClearText(ItemBuffer& buffer) {
  const char zero[ItemBuffer::kTextCapacity] = {};
  buffer.Write(ItemBuffer::kTextOffset, zero, sizeof zero);
}

constexpr int kWideTextCapacity = ItemBuffer::kTextCapacity / 2;

// The text a control wrote into the buffer, in the program's code page.
std::optional<std::string> ReadText(ItemBuffer& buffer, EditorTexts texts) {
  if (texts == EditorTexts::kAnsi) {
    char text[ItemBuffer::kTextCapacity] = "";
    if (!buffer.Read(ItemBuffer::kTextOffset, text, sizeof text)) return std::nullopt;
    text[sizeof text - 1] = 0;
    return std::string(text);
  }
  char16_t text[kWideTextCapacity] = u"";
  if (!buffer.Read(ItemBuffer::kTextOffset, text, sizeof text)) return std::nullopt;
  text[kWideTextCapacity - 1] = 0;
  return ShownInCodePage(text, Win32CodePage::Program());
}

// Asks the control for an item's text with the record made for the texts'
// form: TVITEMA or TVITEMW, LVITEMA or LVITEMW. A tree answers 0 when it
// has no such item; a list answers the text's length, 0 for an empty one.
enum class Answer { kSuccess, kLength };
template <typename Record, typename Fill>
std::optional<std::string> AskText(HWND control, UINT message, WPARAM wparam, ItemBuffer& buffer, EditorTexts texts,
                                   Answer answer, Fill fill) {
  Record record{};
  fill(record);
  record.pszText = reinterpret_cast<decltype(record.pszText)>(RemoteAddress(buffer, ItemBuffer::kTextOffset));
  record.cchTextMax = texts == EditorTexts::kAnsi ? ItemBuffer::kTextCapacity : kWideTextCapacity;
  ClearText(buffer);
  if (!buffer.Write(0, &record, sizeof record)) return std::nullopt;
  if (!AskEditor(control, message, wparam, RemoteAddress(buffer)) && answer == Answer::kSuccess) return std::nullopt;
  return ReadText(buffer, texts);
}

struct Search {
  const char* window_class;
  HWND found;
};

BOOL CALLBACK MatchClass(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<Search*>(parameter);
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpiA(name, search->window_class) != 0) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

LRESULT AskEditor(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wparam, lparam, SMTO_ABORTIFHUNG, 5000, &result)) return 0;
  return static_cast<LRESULT>(result);
}

HWND FindDescendant(HWND parent, const char* window_class) {
  Search search{window_class, nullptr};
  EnumChildWindows(parent, MatchClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

EditorTree::Item EditorTreeControl::Root() {
  return static_cast<Item>(AskEditor(tree_, TVM_GETNEXTITEM, TVGN_ROOT, 0));
}

EditorTree::Item EditorTreeControl::FirstChild(Item item) {
  return static_cast<Item>(AskEditor(tree_, TVM_GETNEXTITEM, TVGN_CHILD, static_cast<LPARAM>(item)));
}

EditorTree::Item EditorTreeControl::NextSibling(Item item) {
  return static_cast<Item>(AskEditor(tree_, TVM_GETNEXTITEM, TVGN_NEXT, static_cast<LPARAM>(item)));
}

EditorTree::Item EditorTreeControl::Selected() {
  return static_cast<Item>(AskEditor(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

std::optional<std::string> EditorTreeControl::Text(Item item) {
  auto fill = [item](auto& record) {
    record.mask = TVIF_TEXT;
    record.hItem = reinterpret_cast<HTREEITEM>(item);
  };
  if (texts_ == EditorTexts::kAnsi)
    return AskText<TVITEMA>(tree_, TVM_GETITEMA, 0, buffer_, texts_, Answer::kSuccess, fill);
  return AskText<TVITEMW>(tree_, TVM_GETITEMW, 0, buffer_, texts_, Answer::kSuccess, fill);
}

void EditorTreeControl::Expand(Item item) { AskEditor(tree_, TVM_EXPAND, TVE_EXPAND, static_cast<LPARAM>(item)); }

void EditorTreeControl::Refresh(Item item) {
  AskEditor(tree_, TVM_EXPAND, TVE_COLLAPSE | TVE_COLLAPSERESET, static_cast<LPARAM>(item));
  Expand(item);
}

void EditorTreeControl::Select(Item item) {
  AskEditor(tree_, TVM_SELECTITEM, TVGN_CARET, static_cast<LPARAM>(item));
  AskEditor(tree_, TVM_ENSUREVISIBLE, 0, static_cast<LPARAM>(item));
}

std::optional<std::string> EditorListControl::RowText(int row) {
  auto fill = [](auto& record) { record.iSubItem = 0; };
  if (texts_ == EditorTexts::kAnsi)
    return AskText<LVITEMA>(list_, LVM_GETITEMTEXTA, row, buffer_, texts_, Answer::kLength, fill);
  return AskText<LVITEMW>(list_, LVM_GETITEMTEXTW, row, buffer_, texts_, Answer::kLength, fill);
}

std::vector<std::string> EditorListControl::Rows() {
  std::vector<std::string> rows;
  const int count = static_cast<int>(AskEditor(list_, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) rows.push_back(RowText(row).value_or(""));
  return rows;
}

bool EditorListControl::SelectOnly(int row) {
  LVITEMA record{};
  record.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  record.state = 0;
  if (!buffer_.Write(0, &record, sizeof record)) return false;
  AskEditor(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), RemoteAddress(buffer_));
  record.state = LVIS_SELECTED | LVIS_FOCUSED;
  if (!buffer_.Write(0, &record, sizeof record)) return false;
  AskEditor(list_, LVM_SETITEMSTATE, row, RemoteAddress(buffer_));
  AskEditor(list_, LVM_ENSUREVISIBLE, row, FALSE);
  return true;
}

std::optional<std::string> EditorListControl::Focused() {
  const int row = static_cast<int>(AskEditor(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
  if (row < 0) return std::nullopt;
  return RowText(row);
}
