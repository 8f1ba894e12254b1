#include "app/win32/BackupCenter.h"

#include <commctrl.h>
#include <shellapi.h>

#include "app/win32/report_list.h"
#include "app/win32/resources.h"
#include "lang/langv.h"

namespace {

constexpr int kButtons[] = {IDC_BACKUPS_RESTORE, IDC_BACKUPS_SHOW, IDC_BACKUPS_VIEW, IDC_BACKUPS_DELETE,
                            IDC_BACKUPS_REMOVE};
// Design widths of the columns, in dialog units.
constexpr int kColumnWidths[kBackupColumnCount] = {80, 46, 40, 28, 32, 40, 46, 104, 120};

RECT ChildRect(HWND dialog, int id) {
  RECT rect{};
  HWND child = GetDlgItem(dialog, id);
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace

TBackupCenter::TBackupCenter(BackupCenterServices services, BackupCenterTexts texts)
    : DialogWindow(IDD_BACKUPS), services_(std::move(services)), texts_(std::move(texts)) {}

INT_PTR TBackupCenter::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      FormCreate();
      return TRUE;
    case WM_SIZE:
      Layout();
      return TRUE;
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lparam)->ptMinTrackSize = {minimum_.cx, minimum_.cy};
      return TRUE;
    case WM_NOTIFY: {
      const NMHDR* header = reinterpret_cast<const NMHDR*>(lparam);
      if (header->idFrom == IDC_BACKUPS_LIST && header->code == LVN_ITEMCHANGED) ShowButtonStates();
      if (header->idFrom == IDC_BACKUPS_LIST && header->code == NM_DBLCLK) RestoreSelected();
      return FALSE;
    }
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case IDC_BACKUPS_RESTORE: RestoreSelected(); return TRUE;
        case IDC_BACKUPS_SHOW: ShowSelectedInFolder(); return TRUE;
        case IDC_BACKUPS_VIEW: ViewSelected(); return TRUE;
        case IDC_BACKUPS_DELETE: DeleteSelectedFile(); return TRUE;
        case IDC_BACKUPS_REMOVE: RemoveSelected(); return TRUE;
        case IDOK:
        case IDCANCEL:
          Close();
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

void TBackupCenter::FormCreate() {
  HWND dialog = Handle();
  SetWindowTextA(dialog, texts_.title.c_str());
  SetDlgItemTextA(dialog, IDC_BACKUPS_LABEL, ("&" + texts_.title).c_str());
  SetDlgItemTextA(dialog, IDC_BACKUPS_RESTORE, texts_.restore.c_str());
  SetDlgItemTextA(dialog, IDC_BACKUPS_SHOW, texts_.show_in_folder.c_str());
  SetDlgItemTextA(dialog, IDC_BACKUPS_VIEW, texts_.view.c_str());
  SetDlgItemTextA(dialog, IDC_BACKUPS_DELETE, texts_.delete_file.c_str());
  SetDlgItemTextA(dialog, IDC_BACKUPS_REMOVE, texts_.remove.c_str());
  SetDlgItemTextA(dialog, IDOK, texts_.close.c_str());
  HWND list = GetDlgItem(dialog, IDC_BACKUPS_LIST);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
  for (int column = 0; column < kBackupColumnCount; ++column) {
    RECT width{0, 0, kColumnWidths[column], 0};
    MapDialogRect(dialog, &width);
    AddListColumn(list, column, texts_.columns[static_cast<std::size_t>(column)], width.right);
  }
  // The margins as designed, kept at every size.
  RECT client{};
  GetClientRect(dialog, &client);
  const RECT list_rect = ChildRect(dialog, IDC_BACKUPS_LIST);
  const RECT close = ChildRect(dialog, IDOK);
  margins_ = {0, close.top - list_rect.bottom, client.right - close.right, client.bottom - close.bottom};
  RECT window{};
  GetWindowRect(dialog, &window);
  minimum_ = {(window.right - window.left) * 3 / 4, (window.bottom - window.top) / 2};
  ShowEntries();
}

void TBackupCenter::Layout() {
  if (minimum_.cx == 0) return;  // sized while being created, before its controls are measured
  HWND dialog = Handle();
  RECT client{};
  GetClientRect(dialog, &client);
  const RECT list = ChildRect(dialog, IDC_BACKUPS_LIST);
  const RECT close = ChildRect(dialog, IDOK);
  const int button_top = client.bottom - margins_.bottom - (close.bottom - close.top);
  SetWindowPos(GetDlgItem(dialog, IDC_BACKUPS_LIST), nullptr, 0, 0, client.right - margins_.right - list.left,
               button_top - margins_.top - list.top, SWP_NOMOVE | SWP_NOZORDER);
  for (const int id : kButtons) {
    const RECT button = ChildRect(dialog, id);
    SetWindowPos(GetDlgItem(dialog, id), nullptr, button.left, button_top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }
  SetWindowPos(GetDlgItem(dialog, IDOK), nullptr, client.right - margins_.right - (close.right - close.left),
               button_top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  InvalidateRect(dialog, nullptr, TRUE);
}

void TBackupCenter::ShowEntries() {
  entries_ = BackupEntries(ReadBackupHistory(services_.registry), services_.files, services_.folder);
  HWND list = GetDlgItem(Handle(), IDC_BACKUPS_LIST);
  ListView_DeleteAllItems(list);
  for (const BackupEntry& entry : entries_) {
    const auto cells = BackupCells(entry, texts_);
    const int row = AppendListRow(list, cells[0]);
    for (int column = 1; column < kBackupColumnCount; ++column)
      SetListCell(list, row, column, cells[static_cast<std::size_t>(column)]);
  }
  if (!entries_.empty()) ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ShowButtonStates();
}

void TBackupCenter::ShowButtonStates() {
  const BackupEntry* entry = Selected();
  // A record naming a device is never opened, not even to be shown.
  const bool there =
      entry && entry->state != BackupFileState::kGone && entry->state != BackupFileState::kNotAFile;
  // A file cut short would give back only part of what it backed up.
  EnableWindow(GetDlgItem(Handle(), IDC_BACKUPS_RESTORE), there && entry->state != BackupFileState::kCutShort);
  EnableWindow(GetDlgItem(Handle(), IDC_BACKUPS_SHOW), there);
  EnableWindow(GetDlgItem(Handle(), IDC_BACKUPS_VIEW), there);
  EnableWindow(GetDlgItem(Handle(), IDC_BACKUPS_DELETE), there);
  EnableWindow(GetDlgItem(Handle(), IDC_BACKUPS_REMOVE), entry && entry->recorded);
}

const BackupEntry* TBackupCenter::Selected() const {
  const std::vector<int> rows = SelectedListRows(GetDlgItem(Handle(), IDC_BACKUPS_LIST));
  if (rows.empty() || rows[0] >= static_cast<int>(entries_.size())) return nullptr;
  return &entries_[static_cast<std::size_t>(rows[0])];
}

void TBackupCenter::RestoreSelected() {
  const BackupEntry* entry = Selected();
  if (!entry || !IsWindowEnabled(GetDlgItem(Handle(), IDC_BACKUPS_RESTORE))) return;
  if (entry->state == BackupFileState::kChanged &&
      !services_.messages.Confirm(texts_.title, entry->record.file + "\r\n\r\n" + texts_.restore_changed))
    return;
  services_.restore(entry->record.file);
}

void TBackupCenter::ShowSelectedInFolder() {
  if (const BackupEntry* entry = Selected()) {
    const std::string arguments = "/select,\"" + entry->record.file + "\"";
    ShellExecuteA(Handle(), "open", "explorer.exe", arguments.c_str(), nullptr, SW_SHOWNORMAL);
  }
}

void TBackupCenter::ViewSelected() {
  if (const BackupEntry* entry = Selected()) {
    const std::string arguments = "\"" + entry->record.file + "\"";
    ShellExecuteA(Handle(), "open", "notepad.exe", arguments.c_str(), nullptr, SW_SHOWNORMAL);
  }
}

void TBackupCenter::DeleteSelectedFile() {
  const BackupEntry* entry = Selected();
  if (!entry) return;
  const std::string file = entry->record.file;
  if (!services_.messages.Confirm(texts_.delete_file, FillIn(texts_.delete_question, {"\r\n" + file + "\r\n"})))
    return;
  if (!services_.files.DeleteFile(file)) {
    services_.messages.Error(FillIn(texts_.cannot_delete, {file}));
    return;
  }
  if (entry->recorded) Forget(file);
  ShowEntries();
}

void TBackupCenter::RemoveSelected() {
  const BackupEntry* entry = Selected();
  if (!entry || !entry->recorded) return;
  Forget(entry->record.file);
  ShowEntries();
}

bool TBackupCenter::Forget(const std::string& file) {
  if (ForgetBackupRecord(services_.registry, file)) return true;
  services_.messages.Error(texts_.history_not_stored);
  return false;
}
