#pragma once
// The registry key a result-tree node names: level 1 is a root key, each
// deeper level one key name below it.
#include <cstdint>
#include <string>

#include "platform/registry.h"
#include "scan/result_tree.h"

// Root name and key names joined by backslashes; empty for the top node.
std::string NodeFullPath(const ResultNode& node);
// The path below the root key; empty for the top node and a root-key node.
std::string NodeKeyPath(const ResultNode& node);
// The root key named by the node's level-1 ancestor; 0 for the top node or
// a name that is no root key.
RootKey NodeRootKey(const ResultNode& node);

// Two parts of a key path joined by a backslash; an empty part adds nothing,
// so a root name joined with an empty key path names the root key itself.
std::string JoinKeyPath(const std::string& head, const std::string& tail);

// The node of the key that a key problem with the given level designates:
// the ancestor level - 1 steps up. Null when that walk would reach a root
// key, the top node or beyond: a whole root key is never a problem's key.
const ResultNode* ProblemKeyNode(const ResultNode& node, std::int32_t level);
