#pragma once
// A second verdict on a problem found earlier, given right before its
// deletion: what was wrong then may be right now (the missing file put
// back, the class registered again).
#include <string>
#include <vector>

#include "regtext/registry_snapshot.h"
#include "scan/result_tree.h"

enum class Verdict {
  kStillAProblem,  // the same key problem, or the values that would go still faulty
  kValidNow,       // found valid, or a smaller problem than the one to delete
  kCannotTell,     // not found again, and a look-up could not tell
};

class ProblemJudge {
 public:
  virtual ~ProblemJudge() = default;
  // The node's problem as it is now. names: the values its deletion would
  // remove; none when it removes the problem's key. copy: what the backup
  // holds of what goes, which the registry must still equal for the
  // deletion to go on.
  virtual Verdict Judge(const ResultNode& problem, const std::vector<std::string>& names,
                        const BackupCopy& copy) = 0;
};
