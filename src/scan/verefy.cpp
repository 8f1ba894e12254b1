#include "scan/verefy.h"

#include "platform/files.h"
#include "platform/ini_file.h"
#include "platform/registry.h"
#include "platform/root_keys.h"
#include "scan/reference_tables.h"

Tverefy::Tverefy(const ScanContext& context, ScanView& view)
    : Tverefy(context, view, context.files.ExeFolder() + kKnowledgeBaseName) {}

Tverefy::Tverefy(const ScanContext& context, ScanView& view, const std::string& knowledge_base)
    : WorkerThread(context.ui), registry_(context.registry), files_(context.files), FForm(view),
      lookup_(context.files), environment_(context.registry, context.files), naming_(context.registry) {
  LoadKnowledgeBase(knowledge_base);
}

Tverefy::~Tverefy() { StopAndWait(); }

void Tverefy::LoadKnowledgeBase(const std::string& path) {
  const std::optional<IniFile> ini = LoadIniFile(files_, path);
  if (!ini || !ini->HasSection(kSectionName)) return;
  rules_ = ReadRuleEntries(*ini, kSectionName);
  if (!rules_.empty()) FSections.push_back(std::make_unique<TINISectionVarClass>(*this, rules_));
}

bool Tverefy::Registered(ReferenceTable table, const std::string& name) const {
  switch (table) {
    case ReferenceTable::kClassIds: return FClassIds.Contains(name);
    case ReferenceTable::kTypeLibs: return FTypeLibs.Contains(name);
    case ReferenceTable::kInterfaces: return FInterfaces.Contains(name);
    case ReferenceTable::kProgIds: return FProgIds.Contains(name);
  }
  return false;
}

void Tverefy::LoadReferenceLists() {
  std::vector<std::string> names[4];
  RegistryAccessor reg(registry_);
  for (const ReferenceTableKey& table : ReferenceTableKeys()) {
    reg.SetRootKey(table.root);
    if (!reg.OpenKeyReadOnly(table.path)) continue;
    std::vector<std::string> read = reg.GetKeyNames();
    std::vector<std::string>& list = names[static_cast<int>(table.table)];
    list.insert(list.end(), read.begin(), read.end());
  }
  reg.CloseKey();
  FClassIds.Assign(std::move(names[static_cast<int>(ReferenceTable::kClassIds)]));
  FTypeLibs.Assign(std::move(names[static_cast<int>(ReferenceTable::kTypeLibs)]));
  FInterfaces.Assign(std::move(names[static_cast<int>(ReferenceTable::kInterfaces)]));
  FProgIds.Assign(std::move(names[static_cast<int>(ReferenceTable::kProgIds)]));
  FProgIds.RemoveStartingWith('.');
}

void Tverefy::ReportProgress(const std::string& text) {
  UpdateView([&](ScanView& view) {
    view.StepProgress();
    view.SetStatusText(text);
  });
}

void Tverefy::UpdateView(const std::function<void(ScanView&)>& change) {
  Ui().Invoke([&] { change(FForm); });
}

void Tverefy::AddProblem(const std::string& full_path, RegKey* key, std::unique_ptr<TErrorClass> record) {
  const std::string path = naming_.NameOf(full_path, key, KeyNamedAsListed());
  // Kept under either name: the one the rule reached it by, or the one it
  // is shown by.
  if (kept_) record = kept_->Filter(full_path, std::move(record));
  if (kept_ && record && path != full_path) record = kept_->Filter(path, std::move(record));
  if (!record) return;
  UpdateView([&](ScanView& view) { view.InsertProblem(path, std::move(record)); });
}

void Tverefy::NoteUnreadable(const std::string& full_name) {
  UpdateView([&](ScanView& view) { view.NoteUnreadable(full_name); });
}

int Tverefy::TotalEntries() const {
  int total = 0;
  for (const auto& section : FSections) total += section->EntryCount();
  return total;
}

void Tverefy::Execute() {
  if (prepare_requested_) LoadReferenceLists();
  lookup_.Reset();
  environment_.Reset();
  bool cleared = false;
  while (!cleared) UpdateView([&cleared](ScanView& view) { cleared = view.ClearResults(); });
  const int total = TotalEntries();
  UpdateView([total](ScanView& view) { view.SetProgressMax(total); });
  UpdateView([](ScanView& view) { view.SetProgressStep(1); });
  UpdateView([](ScanView& view) { view.SetProgressPosition(0); });
  for (const auto& section : FSections) {
    if (Terminated()) break;
    section->Run();
  }
  UpdateView([](ScanView& view) { view.SetProgressPosition(0); });
}
