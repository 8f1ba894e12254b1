#include "platform/registry.h"

#include "platform/case_fold.h"

std::optional<std::string> RegKey::StoredValueName(const std::string& name) {
  if (!QueryValue(name)) return std::nullopt;
  const std::vector<std::string> names = ValueNames();
  // The registry may find it under a name that differs beyond the letter
  // case this program folds: the name given is then the best known.
  const std::string* stored = FindName(names, name);
  return stored ? *stored : name;
}
