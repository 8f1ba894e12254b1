#include "platform/root_keys.h"

namespace {

struct RootKeyRow {
  const char* name;
  RootKey handle;
};

// Names are tried in this order.
constexpr RootKeyRow kRootKeys[] = {
    {"HKEY_CLASSES_ROOT", kHkeyClassesRoot},         {"HKEY_CURRENT_USER", kHkeyCurrentUser},
    {"HKEY_LOCAL_MACHINE", kHkeyLocalMachine},       {"HKEY_USERS", kHkeyUsers},
    {"HKEY_PERFORMANCE_DATA", kHkeyPerformanceData}, {"HKEY_CURRENT_CONFIG", kHkeyCurrentConfig},
    {"HKEY_DYN_DATA", kHkeyDynData},
};

}  // namespace

std::string RootKeyName(RootKey root) {
  for (const RootKeyRow& row : kRootKeys)
    if (row.handle == root) return row.name;
  return std::string();
}

RootKey RootKeyFromName(const std::string& name) {
  for (const RootKeyRow& row : kRootKeys)
    if (name == row.name) return row.handle;
  return 0;
}

RootKey RootKeyOfPath(const std::string& path) {
  return RootKeyFromName(path.substr(0, path.find('\\')));
}
