#include "app/win32/status_bar.h"

#include <commctrl.h>

#include <algorithm>

#include "app/status_fit.h"
#include "app/win32/wide_text.h"

namespace {

constexpr int kTextPanel = 0;
constexpr int kProgressPanel = 1;
constexpr COLORREF kRed = RGB(255, 0, 0);

}  // namespace

void StatusBar::Create(HWND parent, int control_id, HINSTANCE instance, int font_height,
                       const int (&panel_widths)[3]) {
  window_ = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id)), instance, nullptr);
  SetSizes(font_height, panel_widths);
  // Smooth, hidden, range 0..0 until a scan sets it.
  progress_ = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | PBS_SMOOTH, 0, 0, 0, 0, window_, nullptr, instance,
                              nullptr);
  SendMessageA(progress_, PBM_SETRANGE32, 0, 0);
  // The first panel's whole text when the mouse rests on it, however much
  // of it the panel shows. Owned by the window: it goes with it.
  tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0,
                         0, parent, nullptr, instance, nullptr);
  TTTOOLINFOW tool = TextPanelTool();
  tool.uFlags = TTF_SUBCLASS;
  tool.lpszText = const_cast<wchar_t*>(L"");
  SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, 800);
}

void StatusBar::SetSizes(int font_height, const int (&panel_widths)[3]) {
  // Its own font, in the character set of the system's code page: texts of
  // any language show with the right letters.
  UniqueFont font = MakeFont("MS Sans Serif", font_height);
  SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
  font_ = std::move(font);  // the old one only now, once the bar no longer uses it
  bold_font_ = MakeFont("MS Sans Serif", font_height, true);
  std::copy(std::begin(panel_widths), std::end(panel_widths), std::begin(widths_));
  SetWidth(width_);
}

void StatusBar::SetWidth(int width) {
  width_ = width;
  // The text panel takes what the others leave over, its own width at least.
  const int first = std::max(widths_[0], width - widths_[1] - widths_[2]);
  int edges[3] = {first, first + widths_[1], -1};
  SendMessageA(window_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
  SendMessageA(window_, SB_SETTEXTA, kTextPanel | SBT_OWNERDRAW, 0);
  SendMessageA(window_, SB_SETTEXTA, kProgressPanel | SBT_OWNERDRAW, 0);
  InvalidateRect(window_, nullptr, TRUE);
}

void StatusBar::SetText(const std::string& text) {
  text_ = text;
  wide_text_ = WideText(text);
  TTTOOLINFOW tool = TextPanelTool();
  tool.lpszText = W(wide_text_);
  SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageA(window_, SB_SETTEXTA, kTextPanel | SBT_OWNERDRAW, 0);
  InvalidateRect(window_, nullptr, FALSE);
}

void StatusBar::SetScanning(bool scanning) {
  scanning_ = scanning;
  InvalidateRect(window_, nullptr, FALSE);
}

void StatusBar::DrawPanel(const DRAWITEMSTRUCT& item) {
  const RECT& rect = item.rcItem;
  if (item.itemID == kProgressPanel) {
    // The progress bar follows its panel when the window is resized.
    MoveWindow(progress_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    return;
  }
  if (item.itemID != kTextPanel) return;
  TTTOOLINFOW tool = TextPanelTool();
  tool.rect = rect;
  SendMessageW(tip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
  HGDIOBJ old_font = SelectObject(item.hDC, bold_font_.get());
  SetTextColor(item.hDC, scanning_ ? GetSysColor(COLOR_WINDOWTEXT) : kRed);
  SetBkMode(item.hDC, TRANSPARENT);
  // Within its panel: a long key path gives up its middle, the words
  // around it stay, and the text never runs on over the other panels.
  RECT text_rect = rect;
  const int room = rect.right - rect.left - GetSystemMetrics(SM_CXEDGE) * 2;
  const std::u16string shown = FitStatusText(wide_text_, [&](const std::u16string& text) {
    SIZE size{};
    GetTextExtentPoint32W(item.hDC, W(text), static_cast<int>(text.size()), &size);
    return size.cx <= room;
  });
  DrawTextW(item.hDC, W(shown), static_cast<int>(shown.size()), &text_rect,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  SelectObject(item.hDC, old_font);
}

TTTOOLINFOW StatusBar::TextPanelTool() const {
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = window_;
  tool.uId = kTextPanel;
  return tool;
}

int StatusBar::Height() const {
  // Hidden by the View menu; the window itself may not be shown yet.
  if (!(GetWindowLongA(window_, GWL_STYLE) & WS_VISIBLE)) return 0;
  RECT rect{};
  GetWindowRect(window_, &rect);
  return rect.bottom - rect.top;
}
