#pragma once
// A second verdict on a problem found earlier, given right before its
// deletion: what was wrong then may be right now (the missing file put
// back, the class registered again).
#include "scan/result_tree.h"

class ProblemJudge {
 public:
  virtual ~ProblemJudge() = default;
  // Whether the node's problem is still a problem.
  virtual bool StillAProblem(const ResultNode& problem) = 0;
};
