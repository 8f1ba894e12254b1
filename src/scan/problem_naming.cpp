#include "scan/problem_naming.h"

#include <memory>
#include <string_view>

#include "platform/case_fold.h"
#include "platform/key_path.h"
#include "platform/root_keys.h"

namespace {

constexpr std::string_view kClassesRootPrefix = "HKEY_CLASSES_ROOT\\";
constexpr std::string_view kUserClassesPrefix = "HKEY_CURRENT_USER\\Software\\Classes\\";

// The key a path holding an empty name names is not a key of the registry.
bool NamesAKey(const std::string& path) {
  return path.empty() || (path.front() != '\\' && path.back() != '\\' && path.find("\\\\") == std::string::npos);
}

std::string Parent(const std::string& path) {
  const std::size_t slash = path.rfind('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string LastName(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

}  // namespace

std::string ProblemNaming::NameOf(const std::string& full_path, RegKey* key, bool last_name_listed) {
  const std::string route = WhereKeyLives(full_path);
  const RootKey root = RootKeyOfPath(route);
  const std::size_t slash = route.find('\\');
  if (root == 0 || slash == std::string::npos) return route;
  const std::string path = route.substr(slash + 1);
  if (path.empty() || !NamesAKey(path)) return route;
  // A key of the classes root named by the user's classes is opened there.
  return Named(root, path, route == full_path ? key : nullptr, last_name_listed);
}

std::string ProblemNaming::WhereKeyLives(const std::string& full_path) {
  if (!full_path.starts_with(kClassesRootPrefix)) return full_path;
  const std::string path = full_path.substr(kClassesRootPrefix.size());
  return registry_.IsUserClassesKey(path) ? std::string(kUserClassesPrefix) + path : full_path;
}

std::string ProblemNaming::Named(RootKey root, const std::string& path, RegKey* open, bool last_name_listed) {
  const std::string folded = RootKeyName(root) + '\\' + FoldCase(path);
  if (const auto known = by_path_.find(folded); known != by_path_.end()) return known->second;
  const std::unique_ptr<RegKey> opened = open ? nullptr : registry_.OpenRead(root, path);
  RegKey* key = open ? open : opened.get();
  std::string identity = key ? key->Identity() : std::string();
  // Where the registry cannot tell, a key is known by its path.
  if (identity.empty()) identity = '|' + folded;
  auto named = by_key_.find(identity);
  if (named == by_key_.end()) {
    std::string name = RootKeyName(root);
    if (!path.empty()) {
      const std::optional<std::string> stored =
          last_name_listed ? LastName(path) : key ? key->StoredName() : std::nullopt;
      name = JoinKeyPath(Named(root, Parent(path), nullptr, false), stored ? *stored : ListedName(root, path));
    }
    named = by_key_.emplace(std::move(identity), std::move(name)).first;
  }
  by_path_.emplace(folded, named->second);
  return named->second;
}

std::string ProblemNaming::ListedName(RootKey root, const std::string& path) {
  const std::string name = LastName(path);
  const std::unique_ptr<RegKey> parent = registry_.OpenRead(root, Parent(path));
  if (!parent) return name;
  const std::vector<std::string> listed = parent->SubkeyNames();
  const std::string* stored = FindName(listed, name);
  return stored ? *stored : name;
}
