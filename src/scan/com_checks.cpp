// The checks of COM registrations: class identifiers, interfaces, type
// libraries and programmatic identifiers, against the scan's snapshots.
#include "scan/BaseVer.h"
#include "scan/check_context.h"
#include "scan/check_helpers.h"

namespace {

// Key-name shape: the key's own name must be registered.
void CheckKeyName(CheckContext& owner, const std::string& full_path, RegistryAccessor& reg,
                  const std::string& key_path, ReferenceTable registered, const char* message, std::int32_t level) {
  std::optional<std::string> name = LastKeyName(key_path);
  if (!name || owner.Registered(registered, *name)) return;
  owner.Report(full_path, reg.OpenedKey(), std::make_unique<TErrorClass>(message, level));
}

}  // namespace

void TINISectionVarClass::CLSID_K_(const std::string& root_prefix, RegistryAccessor& reg,
                                   const std::string& key_path, const Parameter&, std::int32_t level) {
  CheckKeyName(FOwner, root_prefix + key_path, reg, key_path, ReferenceTable::kClassIds, kClassNotFound, level);
}

void TINISectionVarClass::INTRFC_K_(const std::string& root_prefix, RegistryAccessor& reg,
                                    const std::string& key_path, const Parameter&, std::int32_t level) {
  CheckKeyName(FOwner, root_prefix + key_path, reg, key_path, ReferenceTable::kInterfaces, kInterfaceNotFound, level);
}

void TINISectionVarClass::CLSID_D_(const std::string& root_prefix, RegistryAccessor& reg,
                                   const std::string& key_path, const Parameter&, std::int32_t level) {
  CheckSingleValue(FOwner, root_prefix + key_path, reg, "", kDefaultValueName, kClassNotFound, level,
                   [this](const std::string& text) { return FOwner.Registered(ReferenceTable::kClassIds, text); });
}

void TINISectionVarClass::CLSID_(const std::string& root_prefix, RegistryAccessor& reg,
                                 const std::string& key_path, const Parameter& parameter, std::int32_t level) {
  const std::string name = parameter.value_or("");
  CheckSingleValue(FOwner, root_prefix + key_path, reg, name, name, kClassNotFound, level,
                   [this](const std::string& text) { return FOwner.Registered(ReferenceTable::kClassIds, text); });
}

void TINISectionVarClass::TLB_D_(const std::string& root_prefix, RegistryAccessor& reg,
                                 const std::string& key_path, const Parameter&, std::int32_t level) {
  CheckSingleValue(FOwner, root_prefix + key_path, reg, "", kDefaultValueName, kTypeLibNotFound, level,
                   [this](const std::string& text) { return FOwner.Registered(ReferenceTable::kTypeLibs, text); });
}

void TINISectionVarClass::PROGIDDEF_(const std::string& root_prefix, RegistryAccessor& reg,
                                     const std::string& key_path, const Parameter&, std::int32_t level) {
  CheckSingleValue(FOwner, root_prefix + key_path, reg, "", kDefaultValueName, kFileNotFound, level,
                   [this](const std::string& text) {
                     return FOwner.Registered(ReferenceTable::kProgIds, text) || FOwner.Registered(ReferenceTable::kClassIds, text);
                   });
}

void TINISectionVarClass::CLSID_LN_(const std::string& root_prefix, RegistryAccessor& reg,
                                    const std::string& key_path, const Parameter&, std::int32_t level) {
  CheckValueList(FOwner, root_prefix + key_path, reg, kClassNotFound, level,
                 [this](const std::string& name) -> std::optional<std::string> {
                   if (name.empty() || FOwner.Registered(ReferenceTable::kClassIds, name)) return std::nullopt;
                   return name;
                 });
}

void TINISectionVarClass::CLSID_LD_(const std::string& root_prefix, RegistryAccessor& reg,
                                    const std::string& key_path, const Parameter&, std::int32_t level) {
  CheckValueList(FOwner, root_prefix + key_path, reg, kClassNotFound, level,
                 [&](const std::string& name) -> std::optional<std::string> {
                   std::optional<std::string> text = PlainText(reg, name);
                   if (!text || text->empty() || FOwner.Registered(ReferenceTable::kClassIds, *text)) return std::nullopt;
                   return name;
                 });
}
