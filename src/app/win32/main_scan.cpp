// The main window's scans and their display: Start, Stop, the end of a
// scan, the scanner's changes, the tree's and the list's drawing, and the
// rules the selection and the menus apply.
#include "app/win32/main.h"

#include <algorithm>
#include <chrono>

#include "app/scan_status.h"
#include "app/value_list.h"
#include "lang/message_numbers.h"
#include "platform/file_errors.h"
#include "platform/registry_errors.h"

namespace {

// While nodes come in, the tree repaints at most this often, and at most
// one part in this many of the time goes to laying it out (which grows
// with the nodes shown on some controls).
constexpr std::chrono::milliseconds kTreeRedrawInterval{100};
constexpr int kTreeLayoutShare = 10;
constexpr COLORREF kProblemRed = RGB(255, 0, 0);

}  // namespace

void TMainForm::ActionStartExecute() {
  // A scan without usable rules would find nothing, as on a clean registry.
  const std::string fault = session_->KnowledgeBaseFault();
  if (!fault.empty()) {
    services_.messages.Error(FillIn(FLangv->GetMsg(kMsgNothingScanned), {fault}));
    return;
  }
  SetBusyCursor(true);
  // The scanner changes the window through the UI thread, which is this
  // one: nothing of it shows before this handler is done.
  session_->Start(*this, [this] { ScanFinished(); });
  scan_running_ = true;
  list_record_ = nullptr;
  list_.Clear();
  scan_note_.clear();
  // The earlier results go now, not once the scanner has read the
  // registered classes, and the progress shows from the first moment.
  ClearResults();
  SetProgressMax(session_->TotalEntries());
  SetProgressPosition(0);
  status_bar_.SetText("");
  ShowWindow(status_bar_.ProgressBar(), SW_SHOW);
  status_bar_.SetScanning(true);
  ShowCommandStates();
  // The scanner's stream of changes to come may keep paint messages
  // waiting: the window shows its new state at once.
  RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TMainForm::ActionStopExecute() {
  if (Scanning()) session_->Stop();
}

void TMainForm::ScanFinished() {
  scan_running_ = false;
  SetBusyCursor(false);
  SendMessageA(status_bar_.ProgressBar(), PBM_SETPOS, 0, 0);
  ShowWindow(status_bar_.ProgressBar(), SW_HIDE);
  status_bar_.SetScanning(false);
  scan_note_ = session_->Stopped() ? ScanStoppedText(*FLangv, Results()) : "";
  status_bar_.SetText(scan_note_);
  ReleaseTreeRedraw();
  // Every scan's results show expanded, the second one's as the first's.
  if (tree_.Count() > 0) ExpandResults();
  ShowCommandStates();
  RedrawWindow(tree_.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  if (OnScanFinished) OnScanFinished();
}

// The items below the top came in expanded (TreeMirror).
void TMainForm::ExpandResults() {
  TreeView_Expand(tree_.Handle(), tree_.TopNode(), TVE_EXPAND);
  TreeView_EnsureVisible(tree_.Handle(), tree_.TopNode());
}

// The earlier results go in one go, each root key's branch in one message
// to the control and none painted on its way out; the emptied tree paints
// at once. The new results then show expanded as they come in
// (InsertProblem), so that the control lays them out a few at a time while
// the scan runs, not all at its end.
bool TMainForm::ClearResults() {
  ResultTree& results = session_->Tree();
  if (results.Top()->ChildCount() > 0) {
    tree_.SetRedraw(false);
    mirror_.DeleteItemsBelow(*results.Top());
    tree_.SetRedraw(!tree_redraw_held_);
    UpdateWindow(tree_.Handle());
  }
  results.Clear();
  show_first_result_ = true;
  return true;
}

void TMainForm::SetProgressMax(int maximum) { SendMessageA(status_bar_.ProgressBar(), PBM_SETRANGE32, 0, maximum); }

void TMainForm::SetProgressStep(int step) { SendMessageA(status_bar_.ProgressBar(), PBM_SETSTEP, step, 0); }

void TMainForm::SetProgressPosition(int position) {
  SendMessageA(status_bar_.ProgressBar(), PBM_SETPOS, position, 0);
}

void TMainForm::StepProgress() { SendMessageA(status_bar_.ProgressBar(), PBM_STEPIT, 0, 0); }

// Each rule's text and step paint as they come: the scanner's changes can
// follow one another closely enough to keep paint messages waiting.
void TMainForm::SetStatusText(const std::string& text) {
  status_bar_.SetText(text);
  RedrawWindow(status_bar_.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TMainForm::InsertProblem(const std::string& full_path, std::unique_ptr<TErrorClass> record) {
  HoldTreeRedraw();
  InsertProblemPath(session_->Tree(), *session_->Tree().Top(), full_path, std::move(record));
  if (!show_first_result_) return;
  show_first_result_ = false;
  TreeView_Expand(tree_.Handle(), tree_.TopNode(), TVE_EXPAND);
}

void TMainForm::NoteUnreadable(const std::string& full_name) { session_->Tree().NoteUnreadable(full_name); }

void TMainForm::HoldTreeRedraw() {
  if (tree_redraw_held_) return;
  tree_redraw_held_ = true;
  tree_.SetRedraw(false);
  mirror_.HoldRepaints(true);
  const auto interval = std::max(kTreeRedrawInterval, tree_layout_time_ * kTreeLayoutShare);
  SetTimer(window_, kTreeRedrawTimer, static_cast<UINT>(interval.count()), nullptr);
}

void TMainForm::ReleaseTreeRedraw() {
  if (!tree_redraw_held_) return;
  tree_redraw_held_ = false;
  KillTimer(window_, kTreeRedrawTimer);
  mirror_.HoldRepaints(false);
  const auto start = std::chrono::steady_clock::now();
  tree_.SetRedraw(true);
  // Painted now, while drawing is on: a paint message handled later, after
  // the next problem has held drawing again, would only erase the tree.
  UpdateWindow(tree_.Handle());
  tree_layout_time_ = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
}

// The background-work cursor over the whole window while a scan runs.
void TMainForm::SetBusyCursor(bool busy) {
  busy_cursor_ = busy;
  SetCursor(LoadCursor(nullptr, busy ? IDC_APPSTARTING : IDC_ARROW));
}

ResultNode* TMainForm::CurrentNode() const { return NodeOfItem(tree_.Handle(), tree_.Selected()); }

SelectedNode TMainForm::SelectedNodeState() const {
  const ResultNode* node = CurrentNode();
  if (!node) return {};
  return {true, node->Level(), node->ChildCount() > 0};
}

void TMainForm::SelectNode(const ResultNode& node) { TreeView_SelectItem(tree_.Handle(), mirror_.ItemOf(node)); }

void TMainForm::TreeViewChange(ResultNode* node) {
  const TErrorClass* record = node ? node->Data() : nullptr;
  status_bar_.SetText(record ? record->FMessage : scan_note_);
  list_record_ = record;
  FillValueList(node);
  ShowCommandStates();
}

const TErrorClass* TMainForm::SelectedRecord() const {
  const ResultNode* node = CurrentNode();
  return node ? node->Data() : nullptr;
}

void TMainForm::EditSelectAll1Execute() {
  SetFocus(list_.Handle());
  list_.SelectAll();
}

void TMainForm::FillValueList(const ResultNode* node) {
  if (!node) return;
  HCURSOR previous = busy_cursor_ ? nullptr : SetCursor(LoadCursor(nullptr, IDC_WAIT));
  list_.Clear();
  try {
    list_.AddRows(ValueRows(services_.registry, *node, options_.all_values));
  } catch (const RegistryError& error) {
    // The value changed since it was listed: say so, keep the window going.
    services_.messages.Error(error.what());
  }
  if (previous) SetCursor(previous);
}

LRESULT TMainForm::TreeViewCustomDraw(NMTVCUSTOMDRAW& draw) {
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  const auto* node = reinterpret_cast<const ResultNode*>(draw.nmcd.lItemlParam);
  if (!node || !node->Data()) return CDRF_DODEFAULT;
  if (node->Data()->FLevel > 0) draw.clrText = kProblemRed;
  SelectObject(draw.nmcd.hdc, bold_font_.get());
  return CDRF_NEWFONT;
}

LRESULT TMainForm::ListView1CustomDraw(NMLVCUSTOMDRAW& draw) {
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  if (list_record_ && RecordNamesValue(*list_record_, list_.Caption(static_cast<int>(draw.nmcd.dwItemSpec))))
    draw.clrText = kProblemRed;
  return CDRF_DODEFAULT;
}

LRESULT TMainForm::OnTreeNotify(NMHDR* header) {
  switch (header->code) {
    case NM_CUSTOMDRAW:
      return TreeViewCustomDraw(*reinterpret_cast<NMTVCUSTOMDRAW*>(header));
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
      TreeViewChange(reinterpret_cast<ResultNode*>(reinterpret_cast<NMTREEVIEWA*>(header)->itemNew.lParam));
      return 0;
    case TVN_GETDISPINFOA:
    case TVN_GETDISPINFOW:
      mirror_.FillDisplayInfo(*reinterpret_cast<NMTVDISPINFOA*>(header));
      return 0;
    case NM_DBLCLK:
      TreeViewDblClick();
      return 0;
    default:
      return 0;
  }
}

LRESULT TMainForm::OnListNotify(NMHDR* header) {
  if (header->code == NM_CUSTOMDRAW) return ListView1CustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(header));
  if (header->code == NM_DBLCLK) ListView1DblClick();
  return 0;
}
