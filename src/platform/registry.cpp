#include "platform/registry.h"

#include "platform/case_fold.h"

std::optional<std::string> RegKey::StoredValueName(const std::string& name) {
  if (!QueryValue(name)) return std::nullopt;
  const std::vector<std::string> names = ValueNames();
  for (const std::string& stored : names)
    if (stored == name) return stored;
  for (const std::string& stored : names)
    if (EqualsNoCase(stored, name)) return stored;
  // The registry found it under a name that differs beyond letter case as
  // this program folds it: the name given is the best known.
  return name;
}
