// The main window's commands on the results: deleting, copying, opening the
// registry editor, saving, sending and restoring.
#include "app/win32/main.h"

#include "app/copy_texts.h"
#include "app/deletion.h"
#include "app/deletion_report.h"
#include "app/ignore_texts.h"
#include "app/ignoring.h"
#include "app/win32/IgnoredItems.h"
#include "app/restore.h"
#include "app/restore_point.h"
#include "app/value_list.h"
#include "platform/file_errors.h"
#include "platform/win32/code_page_win32.h"
#include "regtext/key_paths.h"

void TMainForm::ShowAfterDeletion(const std::string& status) {
  TreeViewChange(CurrentNode());
  status_bar_.SetText(status);
}

KeepList TMainForm::KeptNow() {
  return ReadKeptEntries(services_.registry, services_.files,
                         services_.files.ExeFolder() + Tverefy::kKnowledgeBaseName, true);
}

ProblemDeletion TMainForm::Deletion() {
  deletion_kept_ = KeptNow();
  ProblemDeletion deletion(results_, services_.registry, *FBuck);
  deletion.SetKeepList(&deletion_kept_);
  return deletion;
}

void TMainForm::ActionDeleteKeyExecute() {
  ResultNode* node = CurrentNode();
  if (!node || !node->Data()) return;
  try {
    const DeletionOutcome outcome = Deletion().DeleteProblem(*node);
    RecordBackup("Delete Key", outcome.deleted ? 1 : 0);
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
    const DeletionOutcome outcome = Deletion().DeleteValues(*node, names);
    RecordBackup("Delete", outcome.deleted ? 1 : 0);
    ShowAfterDeletion(OutcomeText(outcome, *FLangv));
  } catch (const FileCreateError& error) {
    services_.messages.Error(error.what());  // rows, record and registry as they were
  }
}

void TMainForm::ActionDeleteAllExecute() {
  if (!services_.messages.Confirm("Deleting", DeleteAllQuestion(FBuck->FileName()))) return;
  ProblemDeletion deletion = Deletion();
  const int problems = static_cast<int>(deletion.ProblemNodes().size());
  if (problems == 0) return;
  HWND progress = status_bar_.ProgressBar();
  SendMessageA(progress, PBM_SETRANGE32, 0, problems - 1);
  SendMessageA(progress, PBM_SETSTEP, 1, 0);
  ShowWindow(progress, SW_SHOW);
  // The point is begun before the first deletion and ended after the last.
  RestorePointSpan point(system_restore_);
  const bool with_point = dispatcher_.States().Checked(CommandId::kRestorePoint);
  const std::optional<RestorePointResult> point_result =
      with_point ? std::optional(point.Begin("Tarnel: Delete All")) : std::nullopt;
  try {
    const DeletionSummary summary = deletion.DeleteAll([&] { SendMessageA(progress, PBM_STEPIT, 0, 0); });
    point.End();
    ShowWindow(progress, SW_HIDE);
    RecordBackup("Delete All", static_cast<int>(summary.deleted.size()));
    ShowAfterDeletion("");
    std::string text = DeleteAllSummary(summary, FBuck->FileName(), FBuck->Notes());
    if (point_result) text += "\r\n\r\n" + RestorePointText(*point_result);
    services_.messages.Inform(text);
  } catch (const FileCreateError& error) {
    ShowWindow(progress, SW_HIDE);
    services_.messages.Error(error.what());  // nothing was deleted
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
  const std::optional<std::string> file = services_.messages.AskSaveFile();
  if (!file) return;
  try {
    FBuck->SaveResults(*file);
  } catch (const FileCreateError& error) {
    services_.messages.Error(error.what());
  }
}

void TMainForm::ActionSendExecute() {
  try {
    if (FBuck->SendResults() == MailResult::kNoMailProgram)
      services_.messages.Inform(
          "No mail program could take the results. Save them with File > Save as.. and attach the file to a mail "
          "yourself.");
  } catch (const FileCreateError& error) {
    services_.messages.Error(error.what());
  }
}

void TMainForm::Restore1Click() {
  if (const std::optional<std::string> file = services_.messages.AskOpenFile()) RestoreFile(*file);
}

void TMainForm::RestoreFile(const std::string& file) {
  const std::optional<std::string> text = services_.files.ReadFile(file);
  if (!text) {
    services_.messages.Error("Cannot read file " + file);
    return;
  }
  const RestorePlan plan = PlanRestore(*text, Win32CodePages());
  if (!plan.error.empty()) {
    services_.messages.Error(file + " cannot be restored, nothing was written:\r\n" + plan.error);
    return;
  }
  if (!services_.messages.Confirm("Restore backup", RestoreQuestion(plan, file))) return;
  services_.messages.Inform(RestoreSummary(ApplyRestore(services_.registry, *text, Win32CodePages())));
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
    services_.messages.Error(kIgnoreListNotStored);
    return;
  }
  TakeIgnoredOut(results_, *node, chosen);
  ShowAfterDeletion(IgnoredStatusText(*FLangv, static_cast<int>(chosen.size())));
}

void TMainForm::IgnoredItems1Click() {
  TIgnoredItems dialog(services_.registry, services_.messages, IgnoredDialogTextsOf(*FLangv));
  dialog.ShowModal(window_);
}
