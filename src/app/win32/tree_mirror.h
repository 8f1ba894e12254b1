#pragma once
// The tree view as a mirror of the result tree: every node inserted into
// or deleted from the model is inserted into or deleted from the control,
// each item carrying its node. Pictures are asked of the model when drawn.
#include <windows.h>
#include <commctrl.h>

#include <unordered_map>

#include "scan/result_tree.h"

class TreeMirror : public ResultTreeObserver {
 public:
  // Maps the model's top node to the control's existing top item.
  void Attach(HWND tree, ResultTree& model, HTREEITEM top);
  void Detach();

  void NodeInserted(ResultNode& node) override;
  void NodeDeleting(ResultNode& node) override;
  void NodeDataChanged(ResultNode& node) override;

  // TVN_GETDISPINFO: the item's pictures from its node.
  void FillDisplayInfo(NMTVDISPINFOA& info) const;
  HTREEITEM ItemOf(const ResultNode& node) const;

 private:
  HWND tree_ = nullptr;
  ResultTree* model_ = nullptr;
  std::unordered_map<const ResultNode*, HTREEITEM> items_;
};

// The node an item of the mirrored tree carries; null for none.
ResultNode* NodeOfItem(HWND tree, HTREEITEM item);
