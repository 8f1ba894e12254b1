#include "clean/rule_judge.h"

#include <algorithm>

#include "platform/case_fold.h"
#include "scan/file_lookup.h"
#include "scan/key_paths.h"
#include "scan/user_environment.h"

// A check context that looks everything up afresh and gathers what the
// checks report on the one key instead of reporting it.
class RuleJudge::FreshContext : public CheckContext {
 public:
  FreshContext(Registry& registry, FileSystem& files, const KeepList* kept)
      : registry_(registry), lookup_(files), environment_(registry, files), kept_(kept) {}

  // Forgets the last judgement and the files and variables it found.
  void Begin(const std::string& full_path) {
    full_path_ = full_path;
    found_.reset();
    could_not_tell_ = false;
    lookup_.ForgetNames();
    environment_.Reset();
  }
  const TErrorClass* Found() const { return found_.get(); }
  bool CouldNotTell() const { return could_not_tell_; }

  Registry& ScannedRegistry() override { return registry_; }
  void AddProblem(const std::string&, RegKey*, std::unique_ptr<TErrorClass> record) override {
    // Named as the problem's node: the path the scan filtered it by.
    if (kept_) record = kept_->Filter(full_path_, std::move(record));
    if (!record) return;
    if (found_) {
      MergeProblem(*found_, *record);
    } else {
      found_ = std::move(record);
    }
  }
  bool FileFound(const std::string& name) override { return FileSearch(name) != Presence::kMissing; }
  Presence FileSearch(const std::string& name) override { return Noted(lookup_.Search(name)); }
  bool FolderFound(const std::string& path) override { return Noted(lookup_.Folder(path)) != Presence::kMissing; }
  std::optional<std::string> Variable(const std::string& name, ProgramWidth width) override {
    return environment_.Value(name, width);
  }
  bool Registered(ReferenceTable table, const std::string& name) const override {
    return RegisteredNow(registry_, table, name);
  }
  bool StopRequested() const override { return false; }
  // What the scan could not read it named with its results already.
  void NoteUnreadable(const std::string&) override {}
  void ReportProgress(const std::string&) override {}

 private:
  Presence Noted(Presence presence) {
    could_not_tell_ = could_not_tell_ || presence == Presence::kCannotTell;
    return presence;
  }

  Registry& registry_;
  FileLookup lookup_;
  UserEnvironment environment_;
  const KeepList* kept_;
  std::string full_path_;
  std::unique_ptr<TErrorClass> found_;
  bool could_not_tell_ = false;
};

RuleJudge::RuleJudge(Registry& registry, FileSystem& files, RuleEntries rules, const KeepList* kept)
    : registry_(registry),
      context_(std::make_unique<FreshContext>(registry_, files, kept)),
      rules_(std::make_unique<TINISectionVarClass>(*context_, std::move(rules))) {}

RuleJudge::~RuleJudge() = default;

namespace {

bool Listed(const std::vector<std::string>& names, const std::string& name) {
  return std::any_of(names.begin(), names.end(), [&](const std::string& listed) { return EqualsNoCase(listed, name); });
}

// Still what the deletion removes: a key at the same level (a smaller
// problem now would have it remove what a scan would not report), or every
// value that goes still faulty.
bool StillToGo(const TErrorClass& then, const TErrorClass& now, const std::vector<std::string>& names) {
  if (names.empty()) return now.FLevel == then.FLevel;
  return std::all_of(names.begin(), names.end(), [&](const std::string& name) { return Listed(now.FValueNames, name); });
}

}  // namespace

Verdict RuleJudge::Judge(const ResultNode& problem, const std::vector<std::string>& names,
                         const BackupCopy& copy) {
  const TErrorClass* record = problem.Data();
  // A problem no rule of this scan found has nothing to be judged by.
  if (!record || record->FRules.empty()) return Verdict::kStillAProblem;
  const std::string full_path = NodeFullPath(problem);
  context_->Begin(full_path);
  const CopyFirstRegistry::Answering answering(registry_, copy);
  bool judged = false;
  for (const TErrorClass::FoundBy& found : record->FRules)
    judged = rules_->CheckOneKey(found.rule, found.path) || judged;
  if (!judged) return Verdict::kStillAProblem;
  const TErrorClass* now = context_->Found();
  if (now && StillToGo(*record, *now, names)) return Verdict::kStillAProblem;
  return context_->CouldNotTell() ? Verdict::kCannotTell : Verdict::kValidNow;
}
