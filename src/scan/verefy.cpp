#include "scan/verefy.h"

#include "platform/files.h"
#include "platform/ini_file.h"
#include "platform/registry.h"
#include "scan/root_keys.h"

Tverefy::Tverefy(const ScanContext& context, ScanView& view)
    : Tverefy(context, view, context.files.ExeFolder() + kKnowledgeBaseName) {}

Tverefy::Tverefy(const ScanContext& context, ScanView& view, const std::string& knowledge_base)
    : WorkerThread(context.ui), registry_(context.registry), files_(context.files), FForm(view),
      lookup_(context.files), environment_(context.registry, context.files) {
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
  // Everywhere COM looks for a registration: the machine's classes and the
  // user's (which HKEY_CLASSES_ROOT shows over them), each in both registry
  // views; a 32-bit program's classes live in the other one. A link counts
  // as stale only when its target is registered in none of them.
  const std::pair<RootKey, const char*> classes_keys[] = {
      {kHkeyLocalMachine, "Software\\CLASSES"}, {kHkeyCurrentUser, "Software\\Classes"}};
  std::vector<std::string> class_ids, type_libs, interfaces, prog_ids;
  const std::pair<const char*, std::vector<std::string>*> tables[] = {
      {"CLSID", &class_ids}, {"TypeLib", &type_libs}, {"Interface", &interfaces}};
  RegistryAccessor reg(registry_);
  for (const auto& [root, classes] : classes_keys) {
    reg.SetRootKey(root);
    for (const std::string& view : {std::string(classes), std::string(classes) + "\\Wow6432Node"}) {
      for (const auto& [table, list] : tables) {
        if (!reg.OpenKeyReadOnly(view + "\\" + table)) continue;
        std::vector<std::string> names = reg.GetKeyNames();
        list->insert(list->end(), names.begin(), names.end());
      }
    }
    // ProgIDs are shared by both views.
    if (reg.OpenKeyReadOnly(classes)) {
      std::vector<std::string> names = reg.GetKeyNames();
      prog_ids.insert(prog_ids.end(), names.begin(), names.end());
    }
  }
  reg.CloseKey();
  FClassIds.Assign(std::move(class_ids));
  FTypeLibs.Assign(std::move(type_libs));
  FInterfaces.Assign(std::move(interfaces));
  FProgIds.Assign(std::move(prog_ids));
  FProgIds.RemoveStartingWith('.');
}

void Tverefy::SelectRootKey(RegistryAccessor& reg, const std::string& entry_name) {
  reg.SetRootKey(RootKeyOfPath(entry_name));
}

void Tverefy::UpdateView(const std::function<void(ScanView&)>& change) {
  Ui().Invoke([&] { change(FForm); });
}

std::string Tverefy::WhereKeyLives(const std::string& full_path) {
  // A key of the user's classes, written back under HKEY_CLASSES_ROOT, would
  // land in the machine's classes: it is named where it lives.
  constexpr std::string_view kClassesRoot = "HKEY_CLASSES_ROOT\\";
  if (!full_path.starts_with(kClassesRoot)) return full_path;
  const std::string path = full_path.substr(kClassesRoot.size());
  return registry_.IsUserClassesKey(path) ? "HKEY_CURRENT_USER\\Software\\Classes\\" + path : full_path;
}

void Tverefy::AddProblem(const std::string& full_path, std::unique_ptr<TErrorClass> record) {
  const std::string path = WhereKeyLives(full_path);
  if (kept_) record = kept_->Filter(path, std::move(record));
  if (!record) return;
  UpdateView([&](ScanView& view) { view.InsertProblem(path, std::move(record)); });
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
