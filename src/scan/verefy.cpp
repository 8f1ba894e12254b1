#include "scan/verefy.h"

#include "platform/files.h"
#include "platform/ini_file.h"
#include "platform/registry.h"
#include "scan/root_keys.h"

Tverefy::Tverefy(const ScanContext& context, ScanView& view)
    : Tverefy(context, view, context.files.ExeFolder() + kKnowledgeBaseName) {}

Tverefy::Tverefy(const ScanContext& context, ScanView& view, const std::string& knowledge_base)
    : WorkerThread(context.ui), registry_(context.registry), files_(context.files), FForm(view) {
  LoadKnowledgeBase(knowledge_base);
}

Tverefy::~Tverefy() { StopAndWait(); }

void Tverefy::LoadKnowledgeBase(const std::string& path) {
  const std::optional<IniFile> ini = LoadIniFile(files_, path);
  if (!ini || !ini->HasSection(kSectionName)) return;
  auto section = std::make_unique<TINISectionVarClass>(*this, kSectionName, *ini);
  if (section->EntryCount() > 0) FSections.push_back(std::move(section));
}

void Tverefy::LoadReferenceLists() {
  FClassIds.Clear();
  FTypeLibs.Clear();
  FInterfaces.Clear();
  RegistryAccessor reg(registry_);
  SelectRootKey(reg, "HKEY_LOCAL_MACHINE");
  const std::pair<const char*, ReferenceList*> lists[] = {
      {"Software\\CLASSES\\CLSID", &FClassIds},
      {"Software\\CLASSES\\TypeLib", &FTypeLibs},
      {"Software\\CLASSES\\Interface", &FInterfaces},
  };
  for (const auto& [path, list] : lists) {
    if (reg.OpenKeyReadOnly(path)) list->Assign(reg.GetKeyNames());
  }
  // On 64-bit Windows the classes and interfaces of 32-bit programs live in
  // the other view. They are registered all the same: a link to one of them
  // is not stale, and deleting it would break those programs.
  const std::pair<const char*, ReferenceList*> other_view[] = {
      {"Software\\CLASSES\\Wow6432Node\\CLSID", &FClassIds},
      {"Software\\CLASSES\\Wow6432Node\\Interface", &FInterfaces},
  };
  for (const auto& [path, list] : other_view) {
    if (reg.OpenKeyReadOnly(path)) list->Append(reg.GetKeyNames());
  }
  if (reg.OpenKeyReadOnly("Software\\CLASSES")) {
    FProgIds.Assign(reg.GetKeyNames());
    FProgIds.RemoveStartingWith('.');
  }
}

void Tverefy::SelectRootKey(RegistryAccessor& reg, const std::string& entry_name) {
  reg.SetRootKey(RootKeyOfPath(entry_name));
}

void Tverefy::UpdateView(const std::function<void(ScanView&)>& change) {
  Ui().Invoke([&] { change(FForm); });
}

void Tverefy::AddProblem(const std::string& full_path, std::unique_ptr<TErrorClass> record) {
  if (kept_) record = kept_->Filter(full_path, std::move(record));
  if (!record) return;
  UpdateView([&](ScanView& view) { view.InsertProblem(full_path, std::move(record)); });
}

int Tverefy::TotalEntries() const {
  int total = 0;
  for (const auto& section : FSections) total += section->EntryCount();
  return total;
}

bool Tverefy::FileFound(const std::string& name) {
  auto [entry, inserted] = search_memo_.try_emplace(name, false);
  if (inserted) entry->second = files_.SearchPath(name).has_value();
  return entry->second;
}

void Tverefy::Execute() {
  if (prepare_requested_) LoadReferenceLists();
  search_memo_.clear();
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
