#pragma once
// The tree view as a mirror of the result tree: every node inserted into
// or deleted from the model is inserted into or deleted from the control,
// each item carrying its node. Pictures are asked of the model when drawn.
// Items come in expanded: results show expanded at every level, and
// showing them all takes expanding the top item alone, not a message per
// item (one per item costs more than the scan on a slow tree control).
#include <windows.h>
#include <commctrl.h>

#include <unordered_map>
#include <vector>

#include "scan/result_tree.h"

class TreeMirror : public ResultTreeObserver {
 public:
  // Maps the model's top node to the control's existing top item.
  void Attach(HWND tree, ResultTree& model, HTREEITEM top);
  void Detach();

  void NodeInserted(ResultNode& node) override;
  void NodeDeleting(ResultNode& node) override;
  void NodeDataChanged(ResultNode& node) override;
  // While held, a changed record repaints nothing: the whole control is
  // repainted when the hold ends.
  void HoldRepaints(bool held) { repaints_held_ = held; }
  // Deletes the control's items below the node's, each branch in one
  // message: the control takes a branch of 20,000 items down in some 70 ms,
  // item by item in seconds (each deletion costs in proportion to all items
  // on some controls). The model keeps its nodes, no longer mirrored, until
  // it deletes them itself.
  void DeleteItemsBelow(const ResultNode& node);

  // TVN_GETDISPINFO: the item's pictures from its node.
  void FillDisplayInfo(NMTVDISPINFOA& info) const;
  HTREEITEM ItemOf(const ResultNode& node) const;

 private:
  HWND tree_ = nullptr;
  ResultTree* model_ = nullptr;
  std::unordered_map<const ResultNode*, HTREEITEM> items_;
  bool repaints_held_ = false;
};

// The node an item of the mirrored tree carries; null for none.
ResultNode* NodeOfItem(HWND tree, HTREEITEM item);
