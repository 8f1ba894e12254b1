#pragma once
// The problems of a result tree as text, in tree order.
#include <ostream>

#include "scan/result_tree.h"

// Writes each problem as its key's full path, then an indented line with
// the message, the level and the bad value names; returns the count.
int WriteProblemList(const ResultTree& tree, std::ostream& out);

int CountProblems(const ResultTree& tree);
