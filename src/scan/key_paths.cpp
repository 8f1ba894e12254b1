#include "scan/key_paths.h"

#include "platform/root_keys.h"

std::string NodeFullPath(const ResultNode& node) {
  if (node.Level() == 0) return std::string();
  if (node.Level() == 1) return node.Text();
  return NodeFullPath(*node.Parent()) + '\\' + node.Text();
}

std::string NodeKeyPath(const ResultNode& node) {
  if (node.Level() <= 1) return std::string();
  if (node.Level() == 2) return node.Text();
  return NodeKeyPath(*node.Parent()) + '\\' + node.Text();
}

RootKey NodeRootKey(const ResultNode& node) {
  if (node.Level() == 0) return 0;
  if (node.Level() == 1) return RootKeyFromName(node.Text());
  return NodeRootKey(*node.Parent());
}

std::string JoinKeyPath(const std::string& head, const std::string& tail) {
  if (head.empty()) return tail;
  if (tail.empty()) return head;
  return head + '\\' + tail;
}

const ResultNode* ProblemKeyNode(const ResultNode& node, std::int32_t level) {
  if (level < 1 || node.Level() - (level - 1) < 2) return nullptr;
  const ResultNode* key = &node;
  for (std::int32_t up = 1; up < level; ++up) key = key->Parent();
  // A problem reported at "ROOT\" has an empty-named node below the root
  // node: it still names the root key.
  if (NodeKeyPath(*key).empty()) return nullptr;
  return key;
}
