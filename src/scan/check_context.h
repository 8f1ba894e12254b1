#pragma once
// What a rule section and its checks see of the scan they run in: the
// registry, where problems go, whether a file or folder is there, the
// registered COM names, whether to stop, and the progress. The scanner is
// one; a test can be another, without a worker thread.
#include <memory>
#include <optional>
#include <string>

#include "platform/files.h"
#include "scan/Errors.h"
#include "scan/reference_tables.h"
#include "scan/user_environment.h"

class RegKey;
class Registry;

class CheckContext {
 public:
  virtual ~CheckContext() = default;

  virtual Registry& ScannedRegistry() = 0;
  // The knowledge-base entry whose check runs from now on (its number in
  // the rules): the problems found carry it.
  void BeginRule(std::int32_t rule) { rule_ = rule; }
  // Whether the key checked from now on was reached by the name its parent
  // lists it under (a wildcard's): that name is spelled as stored.
  void BeginKey(bool named_as_listed) { named_as_listed_ = named_as_listed; }
  bool KeyNamedAsListed() const { return named_as_listed_; }
  // What a check found: the record names the rule running and goes to
  // AddProblem.
  void Report(const std::string& full_path, RegKey* key, std::unique_ptr<TErrorClass> record) {
    if (rule_ >= 0) record->FRules = {{rule_, full_path}};
    AddProblem(full_path, key, std::move(record));
  }
  // Reports the problem, unless what it names is kept. key: the problem's
  // key as the check read it, still open; null when none is at hand.
  virtual void AddProblem(const std::string& full_path, RegKey* key, std::unique_ptr<TErrorClass> record) = 0;
  // The system search order for a name; a name that cannot be judged (a
  // drive that may be away, a share) counts as found.
  virtual bool FileFound(const std::string& name) = 0;
  // The same search with its three answers.
  virtual Presence FileSearch(const std::string& name) = 0;
  // A folder as named; one that cannot be judged counts as found.
  virtual bool FolderFound(const std::string& path) = 0;
  // An environment variable as the user's programs of that width see it.
  virtual std::optional<std::string> Variable(const std::string& name, ProgramWidth width) = 0;
  // Whether the name is registered in the table (letter case ignored).
  virtual bool Registered(ReferenceTable table, const std::string& name) const = 0;
  virtual bool StopRequested() const = 0;
  // A key or value met and not read: its name cannot be read ('?' for what
  // it cannot show). Named with the results.
  virtual void NoteUnreadable(const std::string& full_name) = 0;
  // Steps the progress once and shows the text as the current step.
  virtual void ReportProgress(const std::string& text) = 0;

 private:
  std::int32_t rule_ = -1;
  bool named_as_listed_ = false;
};
