#include "app/win32/About.h"

#include "app/win32/resources.h"
#include "app/win32/version_record_win32.h"

namespace {

constexpr int kLinkIds[LinkHover::kLinks] = {IDC_ABOUT_MAIL, IDC_ABOUT_WEB};
constexpr COLORREF kLinkColour = RGB(0, 0, 255);

std::string ControlText(HWND dialog, int id) {
  char text[512] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

int LinkIndex(int control_id) {
  for (std::size_t i = 0; i < LinkHover::kLinks; ++i)
    if (kLinkIds[i] == control_id) return static_cast<int>(i);
  return -1;
}

}  // namespace

TAboutBox::TAboutBox(VersionRecordReader& versions, Shell& shell)
    : DialogWindow(IDD_ABOUT), versions_(versions), shell_(shell) {}

INT_PTR TAboutBox::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      FormCreate();
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
        Close();
      } else if (HIWORD(wparam) == STN_CLICKED && LinkIndex(LOWORD(wparam)) >= 0) {
        OpenLink(LOWORD(wparam));
      }
      return TRUE;
    case WM_SETCURSOR:
      if (!OnSetCursor(reinterpret_cast<HWND>(wparam))) return FALSE;
      SetWindowLongPtrA(Handle(), DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_CTLCOLORSTATIC:
      if (LinkIndex(GetDlgCtrlID(reinterpret_cast<HWND>(lparam))) < 0) return FALSE;
      SetTextColor(reinterpret_cast<HDC>(wparam), kLinkColour);
      SetBkMode(reinterpret_cast<HDC>(wparam), TRANSPARENT);
      return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    default:
      return FALSE;
  }
}

void TAboutBox::FormCreate() {
  TVersionInfo version(OwnExecutableName(), versions_);
  SetDlgItemTextA(Handle(), IDC_ABOUT_PRODUCT, version.GetProductName().c_str());
  SetDlgItemTextA(Handle(), IDC_ABOUT_VERSION, ("Version " + version.GetProductVersion()).c_str());
  SetDlgItemTextA(Handle(), IDC_ABOUT_FILE_VERSION, version.GetFileVersion().c_str());
  // The picture fills its frame at any resolution.
  RECT frame{};
  GetClientRect(GetDlgItem(Handle(), IDC_ABOUT_ICON), &frame);
  picture_.reset(static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_ABOUT), IMAGE_BITMAP, frame.right, frame.bottom, 0)));
  SendDlgItemMessageA(Handle(), IDC_ABOUT_ICON, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_.get()));
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0)), sizeof font, &font);
  font.lfUnderline = TRUE;
  underlined_font_.reset(CreateFontIndirectA(&font));
}

void TAboutBox::OpenLink(int control_id) {
  std::string address = ControlText(Handle(), control_id);
  // The new mail's subject names the product.
  if (control_id == IDC_ABOUT_MAIL) address += "?Subject=Tarnel";
  shell_.Open(reinterpret_cast<std::uintptr_t>(Handle()), address);
}

// The mouse is over a link label, or over the panel around the labels.
bool TAboutBox::OnSetCursor(HWND under_mouse) {
  const int link = LinkIndex(GetDlgCtrlID(under_mouse));
  if (link >= 0) {
    if (hover_.MouseOnLink(link)) ShowUnderlines();
    SetCursor(LoadCursor(nullptr, IDC_HAND));
    return true;
  }
  RECT panel{};
  GetWindowRect(GetDlgItem(Handle(), IDC_ABOUT_PANEL), &panel);
  POINT mouse{};
  GetCursorPos(&mouse);
  if (under_mouse == Handle() && PtInRect(&panel, mouse) && hover_.MouseOnPanel()) ShowUnderlines();
  return false;
}

void TAboutBox::ShowUnderlines() {
  const auto plain = static_cast<WPARAM>(SendMessageA(Handle(), WM_GETFONT, 0, 0));
  for (std::size_t i = 0; i < LinkHover::kLinks; ++i) {
    const WPARAM font = hover_.Underlined(i) ? reinterpret_cast<WPARAM>(underlined_font_.get()) : plain;
    SendDlgItemMessageA(Handle(), kLinkIds[i], WM_SETFONT, font, TRUE);
  }
}
