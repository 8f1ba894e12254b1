#include "scan/key_paths.h"

#include "platform/root_keys.h"

std::string NodeFullPath(const ResultNode& node) {
  if (node.Level() == 0) return std::string();
  if (node.Level() == 1) return node.Text();
  return NodeFullPath(*node.Parent()) + '\\' + node.Text();
}

KeyPath NodeKey(const ResultNode& node) {
  if (node.Level() == 0) return KeyPath();
  if (node.Level() == 1) return KeyPath(RootKeyFromName(node.Text()), "");
  const KeyPath parent = NodeKey(*node.Parent());
  // Not Child: an empty name below the root is the root key itself.
  return KeyPath(parent.Root(), node.Level() == 2 ? node.Text() : parent.Path() + '\\' + node.Text());
}

const ResultNode* ProblemKeyNode(const ResultNode& node, std::int32_t level) {
  if (level < 1 || node.Level() - (level - 1) < 2) return nullptr;
  const ResultNode* key = &node;
  for (std::int32_t up = 1; up < level; ++up) key = key->Parent();
  // A problem reported at "ROOT\" has an empty-named node below the root
  // node: it still names the root key.
  if (NodeKey(*key).Path().empty()) return nullptr;
  return key;
}
