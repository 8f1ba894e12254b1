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
  doomed_.clear();
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

void CollectItems(const ResultNode& node, std::unordered_map<const ResultNode*, HTREEITEM>& items,
                  std::vector<HTREEITEM>& collected) {
  for (std::size_t i = 0; i < node.ChildCount(); ++i) {
    const ResultNode& child = *node.Child(i);
    const auto found = items.find(&child);
    if (found == items.end()) continue;
    collected.push_back(found->second);
    items.erase(found);
    CollectItems(child, items, collected);
  }
}

}  // namespace

bool TreeMirror::DeleteItemsBelow(const ResultNode& node, std::chrono::milliseconds budget) {
  if (doomed_.empty()) CollectItems(node, items_, doomed_);
  const auto until = std::chrono::steady_clock::now() + budget;
  // From the end of the tree order, each item goes without children.
  while (!doomed_.empty()) {
    TreeView_DeleteItem(tree_, doomed_.back());
    doomed_.pop_back();
    if (std::chrono::steady_clock::now() >= until) break;
  }
  return doomed_.empty();
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
