#include "app/win32/Tips.h"

#include "app/win32/resources.h"

namespace {

// Panel1 in dialog units: white, with a lowered edge, behind the picture
// and the two labels.
constexpr RECT kPanel{8, 6, 228, 76};
constexpr COLORREF kTitleColour = RGB(0, 0, 255);

}  // namespace

TfrTips::TfrTips(const TLangv& langv) : DialogWindow(IDD_TIPS), tips_(langv) {}

INT_PTR TfrTips::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      FormCreate();
      SetFocus(GetDlgItem(Handle(), IDC_TIPS_NEXT));
      return FALSE;  // the focus is set
    case WM_COMMAND:
      if (LOWORD(wparam) == IDC_TIPS_NEXT) {
        Button1Click();
      } else if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
        // However it is closed, the check box counts.
        show_at_startup_ = IsDlgButtonChecked(Handle(), IDC_TIPS_SHOW) == BST_CHECKED;
        Close();
      }
      return TRUE;
    case WM_PAINT:
      PaintPanel();
      return TRUE;
    case WM_CTLCOLORSTATIC:
      return PanelColours(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    default:
      return FALSE;
  }
}

void TfrTips::FormCreate() {
  SetWindowTextA(Handle(), tips_.Title().c_str());
  SetDlgItemTextA(Handle(), IDC_TIPS_TITLE, tips_.Heading().c_str());
  SetDlgItemTextA(Handle(), IDC_TIPS_SHOW, tips_.ShowAtStartupCaption().c_str());
  SetDlgItemTextA(Handle(), IDC_TIPS_TEXT, tips_.Current().c_str());
  SetDlgItemTextA(Handle(), IDC_TIPS_NEXT, tips_.NextCaption().c_str());
  SetDlgItemTextA(Handle(), IDOK, tips_.CloseCaption().c_str());
  CheckDlgButton(Handle(), IDC_TIPS_SHOW, BST_CHECKED);
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0)), sizeof font, &font);
  font.lfWeight = FW_BOLD;
  bold_font_.reset(CreateFontIndirectA(&font));
  SendDlgItemMessageA(Handle(), IDC_TIPS_TITLE, WM_SETFONT, reinterpret_cast<WPARAM>(bold_font_.get()), FALSE);
}

void TfrTips::Button1Click() {
  tips_.Next();
  SetDlgItemTextA(Handle(), IDC_TIPS_TEXT, tips_.Current().c_str());
}

void TfrTips::PaintPanel() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  RECT panel = kPanel;
  MapDialogRect(Handle(), &panel);
  FillRect(dc, &panel, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawEdge(dc, &panel, BDR_SUNKENOUTER, BF_RECT);
  EndPaint(Handle(), &paint);
}

// The picture and the labels stand on the white panel.
INT_PTR TfrTips::PanelColours(HDC dc, HWND control) {
  const int id = GetDlgCtrlID(control);
  if (id != IDC_TIPS_IMAGE && id != IDC_TIPS_TITLE && id != IDC_TIPS_TEXT) return FALSE;
  SetBkColor(dc, RGB(255, 255, 255));
  if (id == IDC_TIPS_TITLE) SetTextColor(dc, kTitleColour);
  return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
}
