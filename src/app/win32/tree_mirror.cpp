#include "app/win32/tree_mirror.h"

void TreeMirror::Attach(HWND tree, ResultTree& model, HTREEITEM top) {
  tree_ = tree;
  model_ = &model;
  items_[model.Top()] = top;
  TVITEMA item{};
  item.mask = TVIF_PARAM;
  item.hItem = top;
  item.lParam = reinterpret_cast<LPARAM>(model.Top());
  SendMessageA(tree_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  model.SetObserver(this);
}

void TreeMirror::Detach() {
  if (model_) model_->SetObserver(nullptr);
  model_ = nullptr;
  items_.clear();
}

void TreeMirror::NodeInserted(ResultNode& node) {
  TVINSERTSTRUCTA insert{};
  insert.hParent = ItemOf(*node.Parent());
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
  insert.item.state = TVIS_EXPANDED;
  insert.item.stateMask = TVIS_EXPANDED;
  insert.item.pszText = const_cast<char*>(node.Text().c_str());
  insert.item.iImage = I_IMAGECALLBACK;
  insert.item.iSelectedImage = I_IMAGECALLBACK;
  insert.item.lParam = reinterpret_cast<LPARAM>(&node);
  items_[&node] = reinterpret_cast<HTREEITEM>(SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

// The model tells parents before their children: a node whose parent has
// gone already went with it from the control.
void TreeMirror::NodeDeleting(ResultNode& node) {
  const auto found = items_.find(&node);
  if (found == items_.end()) return;
  const HTREEITEM item = found->second;
  items_.erase(found);
  if (items_.count(node.Parent())) TreeView_DeleteItem(tree_, item);
}

void TreeMirror::NodeDataChanged(ResultNode& node) {
  if (repaints_held_) return;
  RECT rect{};
  if (TreeView_GetItemRect(tree_, ItemOf(node), &rect, FALSE)) InvalidateRect(tree_, &rect, FALSE);
}

namespace {

void ForgetItemsBelow(const ResultNode& node, std::unordered_map<const ResultNode*, HTREEITEM>& items) {
  for (std::size_t i = 0; i < node.ChildCount(); ++i) {
    items.erase(node.Child(i));
    ForgetItemsBelow(*node.Child(i), items);
  }
}

}  // namespace

void TreeMirror::DeleteItemsBelow(const ResultNode& node) {
  std::vector<HTREEITEM> branches;
  for (std::size_t i = 0; i < node.ChildCount(); ++i)
    if (const HTREEITEM item = ItemOf(*node.Child(i))) branches.push_back(item);
  ForgetItemsBelow(node, items_);
  for (const HTREEITEM item : branches) TreeView_DeleteItem(tree_, item);
}

void TreeMirror::FillDisplayInfo(NMTVDISPINFOA& info) const {
  const auto* node = reinterpret_cast<const ResultNode*>(info.item.lParam);
  if (!node) return;
  if (info.item.mask & TVIF_IMAGE) info.item.iImage = node->ImageIndex();
  if (info.item.mask & TVIF_SELECTEDIMAGE) info.item.iSelectedImage = node->SelectedIndex();
}

HTREEITEM TreeMirror::ItemOf(const ResultNode& node) const {
  const auto found = items_.find(&node);
  return found == items_.end() ? nullptr : found->second;
}

ResultNode* NodeOfItem(HWND tree, HTREEITEM item) {
  if (!item) return nullptr;
  TVITEMA query{};
  query.mask = TVIF_PARAM;
  query.hItem = item;
  if (!SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query))) return nullptr;
  return reinterpret_cast<ResultNode*>(query.lParam);
}
