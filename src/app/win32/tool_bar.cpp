#include "app/win32/tool_bar.h"

#include <vector>

#include "app/menu_layout.h"
#include "app/win32/command_ids.h"
#include "app/win32/resources.h"

namespace {

// In the order of the Picture enumeration.
constexpr int kToolIcons[] = {IDI_TOOL_START,  IDI_TOOL_STOP,    IDI_TOOL_SAVE,     IDI_TOOL_SEND,
                              IDI_TOOL_DELETE, IDI_TOOL_REGEDIT, IDI_TOOL_ALLVALUES};

TBBUTTON ButtonOf(const MenuEntry& entry) {
  TBBUTTON button{};
  if (entry.kind == MenuEntry::Kind::kSeparator) {
    button.fsStyle = BTNS_SEP;
    return button;
  }
  const Command& command = CommandOf(entry.command);
  button.iBitmap = static_cast<int>(command.picture);
  button.idCommand = WmIdOf(command.id);
  button.fsState = command.enabled_at_start ? TBSTATE_ENABLED : 0;
  if (command.checked_at_start) button.fsState |= TBSTATE_CHECKED;
  // All Values stays down while checked.
  button.fsStyle = command.id == CommandId::kAllValues ? BTNS_CHECK : BTNS_BUTTON;
  return button;
}

}  // namespace

void ToolBar::Create(HWND parent, int control_id, HINSTANCE instance, int icon_size) {
  window_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS, 0, 0, 0,
                            0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id)), instance, nullptr);
  SendMessageA(window_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  images_ = LoadIconList(instance, kToolIcons, static_cast<int>(std::size(kToolIcons)), icon_size);
  SendMessageA(window_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.get()));
  std::vector<TBBUTTON> buttons;
  for (const MenuEntry& entry : ToolBarButtons()) buttons.push_back(ButtonOf(entry));
  SendMessageA(window_, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  SendMessageA(window_, TB_AUTOSIZE, 0, 0);
}

void ToolBar::ShowCommandStates(const CommandStates& states) {
  for (const MenuEntry& entry : ToolBarButtons()) {
    if (entry.kind != MenuEntry::Kind::kCommand) continue;
    const int id = WmIdOf(entry.command);
    SendMessageA(window_, TB_ENABLEBUTTON, id, MAKELPARAM(states.Enabled(entry.command), 0));
    SendMessageA(window_, TB_CHECKBUTTON, id, MAKELPARAM(states.Checked(entry.command), 0));
  }
}

bool ToolBar::OnNotify(NMHDR* header, const CommandTexts& texts) {
  if (!IsCommandWmId(static_cast<int>(header->idFrom))) return false;
  const CommandId id = CommandOfWmId(static_cast<int>(header->idFrom));
  if (header->code == TTN_GETDISPINFOA) {
    tooltip_ = texts.Tooltip(id);
    reinterpret_cast<NMTTDISPINFOA*>(header)->lpszText = tooltip_.data();
    return true;
  }
  if (header->code == TTN_GETDISPINFOW) {
    // A tooltip of common controls 6 may ask in UTF-16; the texts are ANSI.
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    MultiByteToWideChar(CP_ACP, 0, texts.Tooltip(id).c_str(), -1, info->szText, std::size(info->szText));
    info->lpszText = info->szText;
    return true;
  }
  return false;
}

int ToolBar::Height() const {
  RECT rect{};
  GetWindowRect(window_, &rect);
  return rect.bottom - rect.top;
}
