#include "scan/result_tree.h"

#include <algorithm>

ResultNode::ResultNode(std::string text, ResultNode* parent)
    : text_(std::move(text)), parent_(parent), level_(parent ? parent->level_ + 1 : 0) {}

ResultNode* ResultNode::FindChild(const std::string& text) const {
  auto found = first_child_by_text_.find(text);
  return found == first_child_by_text_.end() ? nullptr : found->second;
}

ResultTree::ResultTree() : top_(new ResultNode(kTopText, nullptr)) {}

ResultTree::~ResultTree() = default;

ResultNode* ResultTree::AddChild(ResultNode& parent, std::string text) {
  std::unique_ptr<ResultNode> child(new ResultNode(std::move(text), &parent));
  ResultNode* added = child.get();
  parent.children_.push_back(std::move(child));
  parent.first_child_by_text_.emplace(added->text_, added);  // keeps an earlier twin
  if (observer_) observer_->NodeInserted(*added);
  return added;
}

void ResultTree::SetData(ResultNode& node, std::unique_ptr<TErrorClass> record) {
  node.data_ = std::move(record);
  DataChanged(node);
}

void ResultTree::DataChanged(ResultNode& node) {
  if (observer_) observer_->NodeDataChanged(node);
}

void ResultTree::NotifyDeleting(ResultNode& node) {
  if (!observer_) return;
  observer_->NodeDeleting(node);
  for (auto& child : node.children_) NotifyDeleting(*child);
}

void ResultTree::Delete(ResultNode& node) {
  ResultNode* parent = node.parent_;
  if (!parent) {
    DeleteChildren(node);
    return;
  }
  NotifyDeleting(node);
  auto& siblings = parent->children_;
  auto it = std::find_if(siblings.begin(), siblings.end(),
                         [&](const std::unique_ptr<ResultNode>& n) { return n.get() == &node; });
  std::unique_ptr<ResultNode> doomed = std::move(*it);
  siblings.erase(it);
  auto indexed = parent->first_child_by_text_.find(doomed->text_);
  if (indexed != parent->first_child_by_text_.end() && indexed->second == doomed.get()) {
    parent->first_child_by_text_.erase(indexed);
    for (auto& sibling : siblings) {
      if (sibling->text_ == doomed->text_) {
        parent->first_child_by_text_.emplace(sibling->text_, sibling.get());
        break;
      }
    }
  }
}

void ResultTree::DeleteChildren(ResultNode& node) {
  for (auto& child : node.children_) NotifyDeleting(*child);
  node.children_.clear();
  node.first_child_by_text_.clear();
}

void ResultTree::NoteUnreadable(const std::string& full_name) {
  if (unreadable_set_.insert(full_name).second) unreadable_.push_back(full_name);
}

void ResultTree::Clear() {
  DeleteChildren(*top_);
  unreadable_.clear();
  unreadable_set_.clear();
}

static std::size_t CountNodes(const ResultNode& node) {
  std::size_t count = 1;
  for (std::size_t i = 0; i < node.ChildCount(); ++i) count += CountNodes(*node.Child(i));
  return count;
}

std::size_t ResultTree::NodeCount() const { return CountNodes(*top_); }

void ForEachProblem(const ResultNode& node, const std::function<void(const ResultNode&)>& visit) {
  if (node.Data()) visit(node);
  for (std::size_t i = 0; i < node.ChildCount(); ++i) ForEachProblem(*node.Child(i), visit);
}

ResultNode* InsertProblemPath(ResultTree& tree, ResultNode& parent, const std::string& path,
                              std::unique_ptr<TErrorClass> record) {
  ResultNode* node = &parent;
  std::string::size_type start = 0;
  for (;;) {
    const std::string::size_type slash = path.find('\\', start);
    const bool last = slash == std::string::npos;
    std::string head = path.substr(start, last ? std::string::npos : slash - start);
    ResultNode* child = node->FindChild(head);
    if (!child) {
      child = tree.AddChild(*node, std::move(head));
      tree.SetSelectedIndex(*child, 1);
      if (last) tree.SetData(*child, std::move(record));
    } else if (last) {
      if (child->Data()) {
        MergeProblem(*child->Data(), *record);
        tree.DataChanged(*child);
      } else {
        tree.SetData(*child, std::move(record));
      }
    }
    if (last) return child;
    node = child;
    start = slash + 1;
  }
}
