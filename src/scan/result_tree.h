#pragma once
// The result tree: "My Computer", root key names, then one node per key name.
// Each node owns its problem record, so deleting a node, and only that,
// releases the record. A window mirrors the model through the observer.
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "scan/Errors.h"

class ResultNode {
 public:
  ResultNode(const ResultNode&) = delete;
  ResultNode& operator=(const ResultNode&) = delete;

  const std::string& Text() const { return text_; }
  ResultNode* Parent() const { return parent_; }
  int Level() const { return level_; }
  std::size_t ChildCount() const { return children_.size(); }
  ResultNode* Child(std::size_t index) const { return children_[index].get(); }
  // The first child whose text equals the given one, letter case counting.
  ResultNode* FindChild(const std::string& text) const;
  TErrorClass* Data() const { return data_.get(); }
  int ImageIndex() const { return image_index_; }
  int SelectedIndex() const { return selected_index_; }

 private:
  friend class ResultTree;
  ResultNode(std::string text, ResultNode* parent);

  std::string text_;
  ResultNode* parent_;
  int level_;
  int image_index_ = 0;
  int selected_index_ = 0;
  std::unique_ptr<TErrorClass> data_;
  std::vector<std::unique_ptr<ResultNode>> children_;
  std::unordered_map<std::string, ResultNode*> first_child_by_text_;
};

class ResultTreeObserver {
 public:
  virtual ~ResultTreeObserver() = default;
  virtual void NodeInserted(ResultNode& node) = 0;
  virtual void NodeDeleting(ResultNode& node) = 0;  // before its children go
  virtual void NodeDataChanged(ResultNode& node) = 0;
};

class ResultTree {
 public:
  static constexpr const char* kTopText = "My Computer";

  ResultTree();
  ~ResultTree();
  ResultTree(const ResultTree&) = delete;
  ResultTree& operator=(const ResultTree&) = delete;

  ResultNode* Top() { return top_.get(); }
  const ResultNode* Top() const { return top_.get(); }
  void SetObserver(ResultTreeObserver* observer) { observer_ = observer; }

  ResultNode* AddChild(ResultNode& parent, std::string text);
  void SetData(ResultNode& node, std::unique_ptr<TErrorClass> record);
  void SetSelectedIndex(ResultNode& node, int index) { node.selected_index_ = index; }
  // Notifies the observer that a record was changed in place (merged into).
  void DataChanged(ResultNode& node);
  // Removes the node with its subtree and releases their records; the top
  // node cannot be deleted, only emptied.
  void Delete(ResultNode& node);
  void DeleteChildren(ResultNode& node);
  std::size_t NodeCount() const;
  // Keys and values that the scan met and could not read, by full name
  // ('?' for what a name cannot show), each once in the order first met:
  // they were neither judged nor left out without a word.
  void NoteUnreadable(const std::string& full_name);
  const std::vector<std::string>& Unreadable() const { return unreadable_; }
  // An earlier scan's results gone: the nodes below the top and the notes.
  void Clear();

 private:
  void NotifyDeleting(ResultNode& node);
  std::unique_ptr<ResultNode> top_;
  std::vector<std::string> unreadable_;
  std::unordered_set<std::string> unreadable_set_;
  ResultTreeObserver* observer_ = nullptr;
};

// Calls visit for every node below and including node that carries a
// record, in tree order (a node before its children).
void ForEachProblem(const ResultNode& node, const std::function<void(const ResultNode&)>& visit);

// Inserts the key path below parent, one node per component (split at
// backslashes; a trailing backslash gives an empty last component), and
// attaches the record at the last one or merges it into the record there.
ResultNode* InsertProblemPath(ResultTree& tree, ResultNode& parent, const std::string& path,
                              std::unique_ptr<TErrorClass> record);
