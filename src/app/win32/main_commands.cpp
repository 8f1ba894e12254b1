// The main window's commands on the results: deleting, copying, opening the
// registry editor, saving, sending and restoring.
#include "app/win32/main.h"

#include "app/copy_texts.h"
#include "clean/backup_center.h"
#include "clean/deletion.h"
#include "app/deletion_report.h"
#include "app/ignore_texts.h"
#include "clean/ignoring.h"
#include "app/win32/IgnoredItems.h"
#include "app/win32/paint_pump.h"
#include "clean/restore.h"
#include "app/restore_point.h"
#include "app/value_list.h"
#include "lang/message_numbers.h"
#include "platform/device_names.h"
#include "platform/file_errors.h"
#include "platform/win32/code_page_win32.h"
#include "scan/key_paths.h"

void TMainForm::ShowAfterDeletion(const std::string& status) {
  TreeViewChange(CurrentNode());
  status_bar_.SetText(status);
}

void TMainForm::ActionDeleteKeyExecute() {
  ResultNode* node = CurrentNode();
  if (!node || !node->Data()) return;
  try {
    const DeletionOutcome outcome = session_->Deletion().DeleteProblem(*node);
    RecordBackup("Delete Key", SummaryOf(outcome));
    ShowAfterDeletion(OutcomeText(outcome, *FLangv));
  } catch (const FileCreateError& error) {
    services_.messages.Error(error.what());
  }
}

void TMainForm::ActionDeleteValueExecute() {
  ResultNode* node = CurrentNode();
  if (!node || !list_record_ || node->Data() != list_record_) return;
  std::vector<std::string> names;
  for (const int row : list_.SelectedRows()) {
    const std::string caption = list_.Caption(row);
    if (RecordNamesValue(*list_record_, caption)) {
      names.push_back(caption);
    } else {
      list_.Deselect(row);  // a good value is never deleted
    }
  }
  if (names.empty()) return;
  try {
    const DeletionOutcome outcome = session_->Deletion().DeleteValues(*node, names);
    RecordBackup("Delete", SummaryOf(outcome));
    ShowAfterDeletion(OutcomeText(outcome, *FLangv));
  } catch (const FileCreateError& error) {
    services_.messages.Error(error.what());  // rows, record and registry as they were
  }
}

// Measured on Wine with 3,000 problems: 86 s, of which 61 s went to the
// tree control deleting items that were shown (20 ms each, laying out and
// painting the rest) and 15 s to a step of the progress bar per problem
// (each drawn at once). So the items go while hidden under the collapsed
// top, with the selection on the top (never moved item by item), and the
// progress bar and the window are painted a few times a second, while the
// problems are backed up as while they are deleted.
void TMainForm::ActionDeleteAllExecute() {
  if (!services_.messages.Confirm(FLangv->GetMsg(kMsgDeletingTitle),
                                 DeleteAllQuestion(session_->Journal().NextFileName(), *FLangv)))
    return;
  ProblemDeletion deletion = session_->Deletion();
  const int problems = static_cast<int>(deletion.ProblemNodes().size());
  if (problems == 0) return;
  PaintPump pump;
  pump.PaintNow();  // where the question was
  SelectNode(*session_->Tree().Top());
  TreeView_Expand(tree_.Handle(), tree_.TopNode(), TVE_COLLAPSE);
  HWND progress = status_bar_.ProgressBar();
  SendMessageA(progress, PBM_SETRANGE32, 0, 2 * problems);  // backed up, then deleted
  SendMessageA(progress, PBM_SETPOS, 0, 0);
  ShowWindow(progress, SW_SHOW);
  // The point is begun before the first deletion and ended after the last.
  RestorePointSpan point(system_restore_);
  const bool with_point = options_.restore_point;
  const std::optional<RestorePointResult> point_result =
      with_point ? std::optional(point.Begin("Tarnel: Delete All")) : std::nullopt;
  SetBusyCursor(true);
  const auto finish = [&] {
    ShowWindow(progress, SW_HIDE);
    SetBusyCursor(false);
    if (tree_.Count() > 1) ExpandResults();
  };
  try {
    int done = 0;
    const DeletionSummary summary = deletion.DeleteAll([&] {
      ++done;
      if (!pump.Due()) return;
      SendMessageA(progress, PBM_SETPOS, done, 0);
      pump.PaintNow();
    });
    point.End();
    finish();
    RecordBackup("Delete All", summary);
    ShowAfterDeletion("");
    pump.PaintNow();
    const std::optional<WrittenBackup>& written = session_->Journal().Written();
    std::string text =
        DeleteAllSummary(summary, written ? written->file : "", session_->Journal().Notes(), *FLangv);
    if (point_result) text += "\r\n\r\n" + RestorePointText(*point_result, *FLangv);
    services_.messages.Inform(text);
  } catch (const FileCreateError& error) {
    finish();
    services_.messages.Error(error.what());  // nothing was deleted
  }
}

void TMainForm::EditDeleteExecute() {
  switch (EditMenuRule(ActiveControlNow(), SelectedNodeState()).binding) {
    case DeleteBinding::kDeleteKey: ActionDeleteKeyExecute(); break;
    case DeleteBinding::kDeleteValue: ActionDeleteValueExecute(); break;
    case DeleteBinding::kNone: break;
  }
}

void TMainForm::ActionCopyKeyNameExecute() {
  if (const ResultNode* node = CurrentNode()) services_.clipboard.SetText(NodeFullPath(*node));
}

void TMainForm::COpyOnlyName1Click() {
  if (const ResultNode* node = CurrentNode()) services_.clipboard.SetText(node->Text());
}

void TMainForm::CopyName1Click() {
  std::vector<std::string> names;
  const std::vector<int> rows = list_.SelectedRows();
  for (const int row : rows) names.push_back(list_.Caption(row));
  if (rows.size() != 1)
    for (const int row : rows) list_.Deselect(row);
  services_.clipboard.SetText(CopyNamesText(names));
}

void TMainForm::CopyValue1Click() {
  std::vector<std::optional<std::string>> data;
  const std::vector<int> rows = list_.SelectedRows();
  for (const int row : rows) data.push_back(list_.Data(row));
  if (list_.RowCount() != 1)
    for (const int row : rows) list_.Deselect(row);
  if (const std::optional<std::string> text = CopyValuesText(list_.RowCount(), data))
    services_.clipboard.SetText(*text);
}

void TMainForm::ActionRegEditExecute() {
  const ResultNode* node = CurrentNode();
  if (!node || node->Level() < 1) return;
  const std::optional<std::string> row = GetFocus() == list_.Handle() ? list_.SelectedCaption() : std::nullopt;
  services_.navigator.GotoKey(NodeFullPath(*node), row.value_or(""));
}

void TMainForm::TreeViewDblClick() {
  const ResultNode* node = CurrentNode();
  if (node && node->ChildCount() == 0) dispatcher_.Execute(CommandId::kRegEdit);
}

void TMainForm::ListView1DblClick() {
  if (list_.SelectedCaption()) dispatcher_.Execute(CommandId::kRegEdit);
}

void TMainForm::ActionSaveToFileExecute() {
  const std::optional<std::string> file = services_.messages.AskSaveFile(FLangv->GetMsg(kMsgSaveToFileTitle));
  if (!file) return;
  try {
    session_->Journal().SaveResults(*file);
  } catch (const FileCreateError& error) {
    services_.messages.Error(error.what());
  }
}

void TMainForm::ActionSendExecute() {
  try {
    if (session_->Journal().SendResults() == MailResult::kNoMailProgram)
      services_.messages.Inform(FLangv->GetMsg(kMsgNoMailProgram));
  } catch (const FileCreateError& error) {
    services_.messages.Error(error.what());
  }
}

void TMainForm::RestoreBackup() {
  const std::string title = FLangv->GetMsg(kMsgRestoreTitle);
  if (const std::optional<std::string> file = services_.messages.AskOpenFile(title, session_->Journal().Folder()))
    RestoreFile(*file);
}

void TMainForm::RestoreFile(const std::string& file) {
  // Never a device, a pipe or a file larger than any backup.
  const RegularFileRead read =
      NamesDevice(file) ? RegularFileRead{} : services_.files.ReadRegularFile(file, kLargestBackupFile);
  if (read.kind != RegularFileRead::Kind::kRegular || read.bytes.size() > kLargestBackupFile) {
    services_.messages.Error(FillIn(FLangv->GetMsg(kMsgCannotReadFile), {file}));
    return;
  }
  const std::string* text = &read.bytes;
  const RestorePlan plan = PlanRestore(*text, Win32CodePages());
  if (!plan.error.empty()) {
    services_.messages.Error(FillIn(FLangv->GetMsg(kMsgCannotRestore), {file}) + "\r\n" + plan.error);
    return;
  }
  const std::string title = FLangv->GetMsg(kMsgRestoreTitle);
  if (!services_.messages.Confirm(title, RestoreQuestion(plan, file))) return;
  if (!plan.deletions.empty() && !services_.messages.Confirm(title, RestoreDeletionsQuestion(plan))) return;
  // What changed since the deletion is kept unless the user says otherwise.
  OnConflict on_conflict = OnConflict::kKeep;
  const std::vector<std::string> conflicts = RestoreConflicts(services_.registry, *text, Win32CodePages());
  if (!conflicts.empty()) {
    std::string list = "\r\n";
    for (const std::string& conflict : conflicts) list += conflict + "\r\n";
    if (services_.messages.Confirm(title, FillIn(FLangv->GetMsg(kMsgRestoreConflicts), {list})))
      on_conflict = OnConflict::kOverwrite;
  }
  services_.messages.Inform(RestoreSummary(ApplyRestore(services_.registry, *text, Win32CodePages(), on_conflict)));
}

void TMainForm::ActionIgnoreExecute() {
  ResultNode* node = CurrentNode();
  if (!node || !node->Data()) return;
  // From the list, the selected bad values; from the tree, the problem's key.
  std::vector<std::string> values;
  if (GetFocus() == list_.Handle()) {
    for (const int row : list_.SelectedRows())
      if (RecordNamesValue(*node->Data(), list_.Caption(row))) values.push_back(list_.Caption(row));
    if (values.empty()) return;
  }
  const std::vector<IgnoredItem> chosen = IgnoredItemsOf(*node, values, IgnoredDate(services_.clock.Now()));
  std::vector<IgnoredItem> items = ReadIgnoreList(services_.registry);
  for (const IgnoredItem& item : chosen) AddIgnored(items, item);
  if (!WriteIgnoreList(services_.registry, items)) {
    services_.messages.Error(IgnoreListNotStoredText(*FLangv));
    return;
  }
  TakeIgnoredOut(session_->Tree(), *node, chosen);
  ShowAfterDeletion(IgnoredStatusText(*FLangv, static_cast<int>(chosen.size())));
}

void TMainForm::ShowIgnoredItems() {
  TIgnoredItems dialog(services_.registry, services_.messages, IgnoredDialogTextsOf(*FLangv));
  dialog.ShowModal(window_);
}
