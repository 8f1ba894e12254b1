#pragma once
// The registry key a result-tree node names: level 1 is a root key, each
// deeper level one key name below it.
#include <cstdint>
#include <string>

#include "platform/key_path.h"
#include "scan/result_tree.h"

// The node's name as the tree shows it: root name and key names joined by
// backslashes; empty for the top node. (A node of empty text below a root
// key shows as "ROOT\", and names the root key itself.)
std::string NodeFullPath(const ResultNode& node);
// The key the node names: the root key of its level-1 ancestor (0 for the
// top node or a name that is no root key) and the path below it (empty for
// the top node and a root-key node).
KeyPath NodeKey(const ResultNode& node);

// The node of the key that a key problem with the given level designates:
// the ancestor level - 1 steps up. Null when that walk would reach a root
// key, the top node or beyond: a whole root key is never a problem's key.
const ResultNode* ProblemKeyNode(const ResultNode& node, std::int32_t level);
