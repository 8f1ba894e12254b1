#include "scan/reference_tables.h"

#include <utility>

#include "platform/root_keys.h"

std::vector<ReferenceTableKey> ReferenceTableKeys() {
  // Everywhere COM looks for a registration: the machine's classes and the
  // user's (which HKEY_CLASSES_ROOT shows over them), each in both registry
  // views; a 32-bit program's classes live in the other one. A link counts
  // as stale only when its target is registered in none of them.
  const std::pair<RootKey, std::string> classes_keys[] = {{kHkeyLocalMachine, "Software\\CLASSES"},
                                                          {kHkeyCurrentUser, "Software\\Classes"}};
  const std::pair<const char*, ReferenceTable> tables[] = {{"CLSID", ReferenceTable::kClassIds},
                                                           {"TypeLib", ReferenceTable::kTypeLibs},
                                                           {"Interface", ReferenceTable::kInterfaces}};
  std::vector<ReferenceTableKey> keys;
  for (const auto& [root, classes] : classes_keys) {
    for (const std::string& view : {classes, classes + "\\Wow6432Node"})
      for (const auto& [table, list] : tables) keys.push_back({root, view + "\\" + table, list});
    // ProgIDs are shared by both views.
    keys.push_back({root, classes, ReferenceTable::kProgIds});
  }
  return keys;
}

bool RegisteredNow(Registry& registry, ReferenceTable table, const std::string& name) {
  // A name that no single subkey can have is in no snapshot.
  if (name.empty() || name.find('\\') != std::string::npos) return false;
  if (table == ReferenceTable::kProgIds && name.front() == '.') return false;
  for (const ReferenceTableKey& key : ReferenceTableKeys())
    if (key.table == table && registry.OpenRead(key.root, key.path + "\\" + name)) return true;
  return false;
}
