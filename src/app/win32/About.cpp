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

TAboutBox::~TAboutBox() {
  if (window_) DestroyWindow(window_);
}

HWND TAboutBox::Create(HWND owner) {
  CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT), owner, DialogProc,
                     reinterpret_cast<LPARAM>(this));
  return window_;
}

void TAboutBox::ShowModal(HWND owner) {
  if (!Create(owner)) return;
  EnableWindow(owner, FALSE);
  ShowWindow(window_, SW_SHOW);
  MSG message;
  bool quit = false;
  while (window_ && !quit) {
    if (GetMessageA(&message, nullptr, 0, 0) <= 0) {
      quit = true;
    } else if (!IsDialogMessageA(window_, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  EnableWindow(owner, TRUE);
  SetActiveWindow(owner);
  if (quit) PostQuitMessage(static_cast<int>(message.wParam));  // the program's loop must end too
}

INT_PTR CALLBACK TAboutBox::DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<TAboutBox*>(lparam);
    SetWindowLongPtrA(window, DWLP_USER, lparam);
    self->window_ = window;
  }
  auto* self = reinterpret_cast<TAboutBox*>(GetWindowLongPtrA(window, DWLP_USER));
  return self ? self->Handle(message, wparam, lparam) : FALSE;
}

INT_PTR TAboutBox::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      FormCreate();
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
        DestroyWindow(window_);
      } else if (HIWORD(wparam) == STN_CLICKED && LinkIndex(LOWORD(wparam)) >= 0) {
        OpenLink(LOWORD(wparam));
      }
      return TRUE;
    case WM_SETCURSOR:
      if (!OnSetCursor(reinterpret_cast<HWND>(wparam))) return FALSE;
      SetWindowLongPtrA(window_, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_CTLCOLORSTATIC:
      if (LinkIndex(GetDlgCtrlID(reinterpret_cast<HWND>(lparam))) < 0) return FALSE;
      SetTextColor(reinterpret_cast<HDC>(wparam), kLinkColour);
      SetBkMode(reinterpret_cast<HDC>(wparam), TRANSPARENT);
      return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_DESTROY:
      window_ = nullptr;
      return TRUE;
    default:
      return FALSE;
  }
}

void TAboutBox::FormCreate() {
  TVersionInfo version(OwnExecutableName(), versions_);
  SetDlgItemTextA(window_, IDC_ABOUT_PRODUCT, version.GetProductName().c_str());
  SetDlgItemTextA(window_, IDC_ABOUT_VERSION, ("Version " + version.GetProductVersion()).c_str());
  SetDlgItemTextA(window_, IDC_ABOUT_FILE_VERSION, version.GetFileVersion().c_str());
  // The picture fills its frame at any resolution.
  RECT frame{};
  GetClientRect(GetDlgItem(window_, IDC_ABOUT_ICON), &frame);
  picture_.reset(static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_ABOUT), IMAGE_BITMAP, frame.right, frame.bottom, 0)));
  SendDlgItemMessageA(window_, IDC_ABOUT_ICON, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_.get()));
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window_, WM_GETFONT, 0, 0)), sizeof font, &font);
  font.lfUnderline = TRUE;
  underlined_font_.reset(CreateFontIndirectA(&font));
}

void TAboutBox::OpenLink(int control_id) {
  std::string address = ControlText(window_, control_id);
  // The new mail's subject names the product.
  if (control_id == IDC_ABOUT_MAIL) address += "?Subject=Tarnel";
  shell_.Open(reinterpret_cast<std::uintptr_t>(window_), address);
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
  GetWindowRect(GetDlgItem(window_, IDC_ABOUT_PANEL), &panel);
  POINT mouse{};
  GetCursorPos(&mouse);
  if (under_mouse == window_ && PtInRect(&panel, mouse) && hover_.MouseOnPanel()) ShowUnderlines();
  return false;
}

void TAboutBox::ShowUnderlines() {
  const auto plain = static_cast<WPARAM>(SendMessageA(window_, WM_GETFONT, 0, 0));
  for (std::size_t i = 0; i < LinkHover::kLinks; ++i) {
    const WPARAM font = hover_.Underlined(i) ? reinterpret_cast<WPARAM>(underlined_font_.get()) : plain;
    SendDlgItemMessageA(window_, kLinkIds[i], WM_SETFONT, font, TRUE);
  }
}
