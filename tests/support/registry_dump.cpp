#include "support/registry_dump.h"

#include "platform/settings_key.h"
#include "platform/root_keys.h"

namespace {

void DumpKey(Registry& registry, RootKey root, const std::string& path, RegistryDump& dump) {
  const std::unique_ptr<RegKey> key = registry.OpenRead(root, path);
  if (!key || (root == kHkeyCurrentUser && path == kSettingsKey)) return;
  std::string values;
  for (const std::string& name : key->ValueNames()) {
    const std::optional<RegValue> value = key->QueryValue(name);
    values += name + "=" + (value ? std::to_string(value->type) + ":" + std::string(value->data.begin(), value->data.end())
                                  : std::string("<unreadable>")) +
              ";";
  }
  for (const std::string& name : key->UnreadableValueNames()) values += "<unreadable name " + name + ">;";
  for (const std::string& name : key->UnreadableSubkeyNames()) values += "<unreadable subkey " + name + ">;";
  dump[RootKeyName(root) + "\\" + path] = values;
  for (const std::string& sub : key->SubkeyNames()) DumpKey(registry, root, path.empty() ? sub : path + "\\" + sub, dump);
}

}  // namespace

RegistryDump DumpRegistry(Registry& registry, const std::vector<RootKey>& roots) {
  RegistryDump dump;
  for (RootKey root : roots) DumpKey(registry, root, "", dump);
  return dump;
}
