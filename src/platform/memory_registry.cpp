#include "platform/memory_registry.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/registry_name_order.h"
#include "platform/root_keys.h"

namespace {

constexpr const char* kClassesPrefix = "Software\\Classes\\";
// The longest value name the system registry accepts.
constexpr std::size_t kMaxValueName = 16383;

struct NamedValue {
  std::string name;
  RegValue value;
};

}  // namespace

// A subkey as its parent lists it: its name, and the key it leads to. A
// link leads to a key that another parent lists as well.
struct Subkey {
  std::string name;
  std::shared_ptr<MemoryRegistry::Node> node;
  bool link = false;
};

struct MemoryRegistry::Node {
  std::string class_name;
  bool deleted = false;
  // Both keyed by RegistryNameKey, so iteration is the enumeration order.
  std::map<std::string, Subkey> subkeys;
  std::map<std::string, NamedValue> values;
};

// A key as a path reached it: the name its parent lists it by (none for a
// root key) and the key itself.
struct MemoryRegistry::Found {
  std::shared_ptr<Node> node;
  std::optional<std::string> name;
};

namespace {

using Node = MemoryRegistry::Node;

// Keys still open on the branch then see it empty and refuse writes.
void MarkDeleted(Node& node) {
  node.deleted = true;
  for (auto& [key, child] : node.subkeys)
    if (!child.link) MarkDeleted(*child.node);
  node.subkeys.clear();
  node.values.clear();
}

class MemoryRegKey : public RegKey {
 public:
  // merged_from: a key of the machine's classes whose subkeys the merged
  // classes root shows beside the node's own; null elsewhere.
  MemoryRegKey(MemoryRegistry::Found found, bool writable, std::size_t name_limit,
               std::shared_ptr<Node> merged_from = nullptr, std::string merged_path = {})
      : node_(std::move(found.node)), name_(std::move(found.name)), merged_from_(std::move(merged_from)),
        merged_path_(std::move(merged_path)), writable_(writable), name_limit_(name_limit) {}

  std::vector<std::string> SubkeyNames() override { return Within(AllSubkeyNames(), true); }
  std::vector<std::string> UnreadableSubkeyNames() override {
    return Limited() ? Within(AllSubkeyNames(), false) : std::vector<std::string>{};
  }
  std::vector<std::string> ValueNames() override { return Within(AllValueNames(), true); }
  std::vector<std::string> UnreadableValueNames() override {
    return Limited() ? Within(AllValueNames(), false) : std::vector<std::string>{};
  }

  std::optional<RegValue> QueryValue(const std::string& name) override {
    if (name.size() > name_limit_) return std::nullopt;
    const auto found = node_->values.find(RegistryNameKey(name));
    if (found == node_->values.end()) return std::nullopt;
    return found->second.value;
  }

  std::optional<std::string> ClassName() override { return node_->class_name; }
  std::optional<std::string> StoredName() override { return name_; }
  std::optional<std::string> StoredValueName(const std::string& name) override {
    if (name.size() > name_limit_) return std::nullopt;
    const auto found = node_->values.find(RegistryNameKey(name));
    if (found == node_->values.end()) return std::nullopt;
    return found->second.name;
  }
  std::string Identity() override {
    if (merged_from_) return RootKeyName(kHkeyClassesRoot) + '\\' + RegistryNameKey(merged_path_);
    return "key " + std::to_string(reinterpret_cast<std::uintptr_t>(node_.get()));
  }

  bool SetValue(const std::string& name, const RegValue& value) override {
    if (!writable_ || node_->deleted || name.size() > std::min(kMaxValueName, name_limit_)) return false;
    const auto [entry, inserted] = node_->values.try_emplace(RegistryNameKey(name), NamedValue{name, value});
    if (!inserted) entry->second.value = value;  // the stored name keeps its letter case
    return true;
  }

  bool DeleteValue(const std::string& name) override {
    if (!writable_ || node_->deleted || name.size() > name_limit_) return false;
    return node_->values.erase(RegistryNameKey(name)) > 0;
  }

 private:
  std::vector<std::string> AllSubkeyNames() const {
    std::vector<std::string> names;
    if (!merged_from_) {
      names.reserve(node_->subkeys.size());
      for (const auto& [key, child] : node_->subkeys) names.push_back(child.name);
      return names;
    }
    std::map<std::string, std::string> merged;  // in enumeration order, the user's spelling first
    for (const auto& [key, child] : node_->subkeys) merged.emplace(key, child.name);
    for (const auto& [key, child] : merged_from_->subkeys) merged.emplace(key, child.name);
    names.reserve(merged.size());
    for (const auto& [key, name] : merged) names.push_back(name);
    return names;
  }
  std::vector<std::string> AllValueNames() const {
    std::vector<std::string> names;
    names.reserve(node_->values.size());
    for (const auto& [key, entry] : node_->values) names.push_back(entry.name);
    return names;
  }
  bool Limited() const { return name_limit_ != std::string::npos; }
  // The names within the limit, or those over it.
  std::vector<std::string> Within(std::vector<std::string> names, bool within) const {
    if (!Limited() && within) return names;
    std::erase_if(names, [&](const std::string& name) { return (name.size() <= name_limit_) != within; });
    return names;
  }

  std::shared_ptr<Node> node_;
  std::optional<std::string> name_;
  std::shared_ptr<Node> merged_from_;
  std::string merged_path_;  // below the classes root, of a key both classes hold
  bool writable_;
  std::size_t name_limit_;
};

}  // namespace

MemoryRegistry::MemoryRegistry() {
  for (auto& root : roots_) root = std::make_shared<Node>();
}

MemoryRegistry::~MemoryRegistry() = default;

void MemoryRegistry::SetKeyClass(RootKey root, const std::string& path, const std::string& class_name) {
  if (const std::shared_ptr<Node> node = Find(root, path, true).node) node->class_name = class_name;
}

// Components are separated by backslashes; empty components (a trailing or
// doubled backslash) are passed over as the system does, but a path that
// starts with a backslash is refused.
MemoryRegistry::Found MemoryRegistry::Find(RootKey root, const std::string& path, bool create) {
  if (root < kHkeyClassesRoot || root - kHkeyClassesRoot >= roots_.size()) return {};
  if (!path.empty() && path.front() == '\\') return {};
  Found found{roots_[root - kHkeyClassesRoot], std::nullopt};
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    const std::string_view component(path.data() + start, end - start);
    start = end + 1;
    if (component.empty()) continue;
    if (component.size() > name_limit_) return {};
    const std::string key = RegistryNameKey(component);
    auto entry = found.node->subkeys.find(key);
    if (entry == found.node->subkeys.end()) {
      if (!create) return {};
      entry = found.node->subkeys.emplace(key, Subkey{std::string(component), std::make_shared<Node>()}).first;
    }
    found = {entry->second.node, entry->second.name};
  }
  return found;
}

void MemoryRegistry::Link(RootKey root, const std::string& path, RootKey target_root, const std::string& target) {
  const std::shared_ptr<Node> node = Find(target_root, target, true).node;
  if (!node || root < kHkeyClassesRoot || root - kHkeyClassesRoot >= roots_.size()) return;
  const std::size_t split = path.rfind('\\');
  if (path.empty()) {
    roots_[root - kHkeyClassesRoot] = node;
    return;
  }
  const std::shared_ptr<Node> parent = Find(root, split == std::string::npos ? "" : path.substr(0, split), true).node;
  const std::string name = split == std::string::npos ? path : path.substr(split + 1);
  if (parent) parent->subkeys[RegistryNameKey(name)] = Subkey{name, node, true};
}

void MemoryRegistry::AnswerAliasesAsWindows(const std::string& user_sid) {
  Link(kHkeyCurrentUser, "", kHkeyUsers, user_sid);
  Link(kHkeyCurrentUser, "Software\\Classes", kHkeyUsers, user_sid + "_Classes");
  Link(kHkeyUsers, "S-1-5-18", kHkeyUsers, ".DEFAULT");
  Link(kHkeyLocalMachine, "SYSTEM\\CurrentControlSet", kHkeyLocalMachine, "SYSTEM\\ControlSet001");
  Link(kHkeyLocalMachine, "SYSTEM\\ControlSet001\\Hardware Profiles\\Current", kHkeyLocalMachine,
       "SYSTEM\\ControlSet001\\Hardware Profiles\\0001");
  Link(kHkeyCurrentConfig, "", kHkeyLocalMachine, "SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current");
  Link(kHkeyLocalMachine, "SOFTWARE\\Wow6432Node\\Classes", kHkeyLocalMachine, "SOFTWARE\\Classes\\Wow6432Node");
}

bool MemoryRegistry::IsMergedClassesRoot(RootKey root) const {
  return merged_classes_root_ && root == kHkeyClassesRoot;
}

MemoryRegistry::Found MemoryRegistry::FindClassesKey(const std::string& path, bool create) {
  if (!path.empty() && path.front() == '\\') return {};
  if (Found user = Find(kHkeyCurrentUser, kClassesPrefix + path, false); user.node) return user;
  return Find(kHkeyLocalMachine, kClassesPrefix + path, create);
}

bool MemoryRegistry::IsUserClassesKey(const std::string& path) {
  return merged_classes_root_ && !(!path.empty() && path.front() == '\\') &&
         Find(kHkeyCurrentUser, kClassesPrefix + path, false).node != nullptr;
}

std::unique_ptr<RegKey> MemoryRegistry::OpenRead(RootKey root, const std::string& path) {
  if (IsMergedClassesRoot(root)) {
    if (!path.empty() && path.front() == '\\') return nullptr;
    Found user = Find(kHkeyCurrentUser, kClassesPrefix + path, false);
    Found machine = Find(kHkeyLocalMachine, kClassesPrefix + path, false);
    if (!user.node) return machine.node ? std::make_unique<MemoryRegKey>(std::move(machine), false, name_limit_) : nullptr;
    if (!machine.node) return std::make_unique<MemoryRegKey>(std::move(user), false, name_limit_);
    return std::make_unique<MemoryRegKey>(std::move(user), false, name_limit_, std::move(machine.node), path);
  }
  Found found = Find(root, path, false);
  if (!found.node) return nullptr;
  return std::make_unique<MemoryRegKey>(std::move(found), false, name_limit_);
}

std::unique_ptr<RegKey> MemoryRegistry::OpenWrite(RootKey root, const std::string& path) {
  Found found = IsMergedClassesRoot(root) ? FindClassesKey(path, true) : Find(root, path, true);
  if (!found.node) return nullptr;
  return std::make_unique<MemoryRegKey>(std::move(found), true, name_limit_);
}

std::unique_ptr<RegKey> MemoryRegistry::OpenExisting(RootKey root, const std::string& path) {
  Found found = IsMergedClassesRoot(root) ? FindClassesKey(path, false) : Find(root, path, false);
  if (!found.node) return nullptr;
  return std::make_unique<MemoryRegKey>(std::move(found), true, name_limit_);
}

bool MemoryRegistry::DeleteKey(RootKey root, const std::string& path) { return Delete(root, path, false); }

bool MemoryRegistry::DeleteLeafKey(RootKey root, const std::string& path) { return Delete(root, path, true); }

bool MemoryRegistry::Delete(RootKey root, const std::string& path, bool leaf_only) {
  if (IsMergedClassesRoot(root)) {
    if (path.empty() || path.front() == '\\') return false;  // the root itself, or a leading backslash
    return Delete(IsUserClassesKey(path) ? kHkeyCurrentUser : kHkeyLocalMachine, kClassesPrefix + path, leaf_only);
  }
  const std::size_t last_separator = path.find_last_not_of('\\');
  if (last_separator == std::string::npos) return false;  // a root cannot be deleted
  const std::string trimmed = path.substr(0, last_separator + 1);
  const std::size_t split = trimmed.rfind('\\');
  const std::string parent_path = split == std::string::npos ? std::string() : trimmed.substr(0, split);
  const std::string name = split == std::string::npos ? trimmed : trimmed.substr(split + 1);
  if (split == 0) return false;  // "\name": refused like any path with a leading backslash
  if (name.size() > name_limit_) return false;
  std::shared_ptr<Node> parent = Find(root, parent_path, false).node;
  if (!parent) return false;
  const auto found = parent->subkeys.find(RegistryNameKey(name));
  if (found == parent->subkeys.end() || (leaf_only && !found->second.node->subkeys.empty())) return false;
  // A link goes alone; the key it leads to stays where it lives.
  if (!found->second.link) MarkDeleted(*found->second.node);
  parent->subkeys.erase(found);
  return true;
}
