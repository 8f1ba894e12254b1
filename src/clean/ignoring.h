#pragma once
// The Ignore command's decisions: what it adds to the ignore list, and how
// the ignored problem, or its ignored values, leave the result tree.
#include <string>
#include <vector>

#include "clean/ignore_list.h"
#include "scan/result_tree.h"

// The named bad values of the node's key, or its key when none are named.
std::vector<IgnoredItem> IgnoredItemsOf(const ResultNode& node, const std::vector<std::string>& bad_values,
                                        const std::string& added);
// Takes the node's ignored problem, or its ignored values, out of the tree.
// A record left without values goes; so does the node's branch, unless
// other problems lie below it.
void TakeIgnoredOut(ResultTree& tree, ResultNode& node, const std::vector<IgnoredItem>& items);
