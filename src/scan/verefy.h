#pragma once
// The scanner: one scan of the registry on a worker thread. It reads the
// knowledge base when created, snapshots the registered COM names when
// prepared, and reports every change to the window through the UI thread.
#include <memory>
#include <string>
#include <vector>

#include "platform/worker_thread.h"
#include "scan/BaseVer.h"
#include "scan/check_context.h"
#include "scan/file_lookup.h"
#include "scan/keep_list.h"
#include "scan/problem_naming.h"
#include "scan/reference_list.h"
#include "scan/scan_view.h"
#include "scan/user_environment.h"

class FileSystem;
class Registry;
class UiThread;

// What a scan reads and reports to.
struct ScanContext {
  Registry& registry;
  FileSystem& files;
  UiThread& ui;
};

class Tverefy : public WorkerThread, public CheckContext {
 public:
  static constexpr const char* kKnowledgeBaseName = "Knowbase.ini";
  static constexpr const char* kSectionName = "PATHS1";

  // Reads "Knowbase.ini" from the executable's folder.
  Tverefy(const ScanContext& context, ScanView& view);
  // Reads the knowledge base from the given file.
  Tverefy(const ScanContext& context, ScanView& view, const std::string& knowledge_base);
  ~Tverefy() override;

  // Asks for the reference lists to be snapshot when the scan starts, as
  // its first step: on the worker, so that a large registry does not keep
  // the window from answering meanwhile. Call before Start.
  void Prepare() { prepare_requested_ = true; }
  void LoadReferenceLists();

  // What the scan never reports; read on the worker while it runs. Null:
  // nothing kept.
  void SetKeepList(const KeepList* kept) { kept_ = kept; }
  // Hands the record to the window, which inserts it below the top node,
  // unless what it names is kept. It goes under its key's one name
  // (problem_naming.h): a key that another path reached before has its
  // problem merged there.
  void AddProblem(const std::string& full_path, RegKey* key, std::unique_ptr<TErrorClass> record) override;
  void NoteUnreadable(const std::string& full_name) override;
  // Runs one change of the window on the UI thread and waits for it.
  void UpdateView(const std::function<void(ScanView&)>& change);

  int TotalEntries() const;
  // Against the snapshots taken when the scan started.
  bool Registered(ReferenceTable table, const std::string& name) const override;
  // The entries of the knowledge base's rules, numbered as the problems
  // found name them.
  const RuleEntries& Rules() const { return rules_; }
  Registry& ScannedRegistry() override { return registry_; }
  // Each distinct name is looked up once per scan.
  bool FileFound(const std::string& name) override { return lookup_.Search(name) != Presence::kMissing; }
  Presence FileSearch(const std::string& name) override { return lookup_.Search(name); }
  bool FolderFound(const std::string& path) override { return lookup_.Folder(path) != Presence::kMissing; }
  bool StopRequested() const override { return Terminated(); }
  void ReportProgress(const std::string& text) override;
  std::optional<std::string> Variable(const std::string& name, ProgramWidth width) override {
    return environment_.Value(name, width);
  }

 protected:
  void Execute() override;

 private:
  void LoadKnowledgeBase(const std::string& path);

  Registry& registry_;
  FileSystem& files_;
  ScanView& FForm;
  RuleEntries rules_;
  std::vector<std::unique_ptr<TBaseVerClass>> FSections;
  ReferenceList FClassIds;
  ReferenceList FTypeLibs;
  ReferenceList FInterfaces;
  ReferenceList FProgIds;
  FileLookup lookup_;
  UserEnvironment environment_;
  ProblemNaming naming_;
  bool prepare_requested_ = false;
  const KeepList* kept_ = nullptr;
};
