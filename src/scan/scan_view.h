#pragma once
// What a scan changes in the window. The scanner calls these only through
// the UI-thread hand-off, so implementations run on the UI thread.
#include <memory>
#include <string>

#include "scan/Errors.h"

class ScanView {
 public:
  virtual ~ScanView() = default;
  // Removes the results of an earlier scan, releasing their records. A view
  // may take a large earlier tree down a part per call, answering its user
  // in between: false means that some is left, and the scanner calls again
  // before it changes anything else.
  virtual bool ClearResults() = 0;
  virtual void SetProgressMax(int maximum) = 0;
  virtual void SetProgressStep(int step) = 0;
  virtual void SetProgressPosition(int position) = 0;
  virtual void StepProgress() = 0;
  virtual void SetStatusText(const std::string& text) = 0;
  // Inserts the problem's key path below the top node; the view owns the
  // record from now on.
  virtual void InsertProblem(const std::string& full_path, std::unique_ptr<TErrorClass> record) = 0;
  // A key or value the scan met and could not read, to be named with the
  // results.
  virtual void NoteUnreadable(const std::string& full_name) = 0;
};
