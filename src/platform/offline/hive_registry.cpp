#include "platform/offline/hive_registry.h"

#include <algorithm>

#include "platform/offline/hive_names.h"
#include "platform/registry_code_page.h"

namespace {

constexpr RootKey kClassesRoot = 0x80000000u;
constexpr RootKey kCurrentUser = 0x80000001u;
constexpr RootKey kLocalMachine = 0x80000002u;

using Path = std::vector<std::u16string>;

// The components of a path in the program's code page; none for a path no
// key can have (a leading backslash, an empty component, bytes that are no
// text of the code page).
std::optional<Path> SplitPath(const std::string& path, const CodePage& program) {
  std::optional<std::u16string> wide = program.ToWide(path);
  if (!wide) return std::nullopt;
  if (!wide->empty() && wide->back() == u'\\') wide->pop_back();
  Path components;
  if (wide->empty()) return components;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = wide->find(u'\\', start);
    std::u16string component = wide->substr(start, end - start);
    if (component.empty()) return std::nullopt;
    components.push_back(std::move(component));
    if (end == std::u16string::npos) return components;
    start = end + 1;
  }
}

bool SameName(std::u16string_view a, std::u16string_view b) { return FoldName(a) == FoldName(b); }

bool StartsWith(const Path& path, const Path& prefix) {
  if (prefix.size() > path.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (!SameName(path[i], prefix[i])) return false;
  return true;
}

// Names with those below added, each once, in the order of folded names.
void AddNames(std::vector<std::u16string>& names, const std::vector<std::u16string>& more) {
  bool added = false;
  for (const std::u16string& name : more) {
    if (std::none_of(names.begin(), names.end(), [&](const std::u16string& n) { return SameName(n, name); })) {
      names.push_back(name);
      added = true;
    }
  }
  if (added)
    std::stable_sort(names.begin(), names.end(),
                     [](const std::u16string& a, const std::u16string& b) { return FoldName(a) < FoldName(b); });
}

// A key the hives do not hold but whose subkeys they are: a root key, or
// HKEY_LOCAL_MACHINE above the SOFTWARE hive.
class PlaceholderKey : public RegKey {
 public:
  PlaceholderKey(std::vector<std::u16string> subkeys, const CodePage& program)
      : subkeys_(std::move(subkeys)), program_(program) {}
  std::vector<std::string> SubkeyNames() override { return SplitNames(subkeys_, program_).readable; }
  std::vector<std::string> ValueNames() override { return {}; }
  std::optional<RegValue> QueryValue(const std::string&) override { return std::nullopt; }
  bool SetValue(const std::string&, const RegValue&) override { return false; }
  bool DeleteValue(const std::string&) override { return false; }

 private:
  std::vector<std::u16string> subkeys_;
  const CodePage& program_;
};

class HiveKey : public RegKey {
 public:
  HiveKey(std::shared_ptr<const Hive> hive, Hive::NodeIndex node, std::vector<std::u16string> places_below,
          const CodePage& program)
      : hive_(std::move(hive)), node_(node), places_below_(std::move(places_below)), program_(program) {}

  std::vector<std::string> SubkeyNames() override { return Subkeys().readable; }
  std::vector<std::string> UnreadableSubkeyNames() override { return Subkeys().unreadable; }
  std::vector<std::string> ValueNames() override { return Names().readable; }
  std::vector<std::string> UnreadableValueNames() override { return Names().unreadable; }

  std::optional<RegValue> QueryValue(const std::string& name) override {
    const std::optional<std::u16string> wide = program_.ToWide(name);
    if (!wide) return std::nullopt;
    const std::u16string folded = FoldName(*wide);
    for (const Hive::NamedValue& value : hive_->Values(node_)) {
      if (!value.name || FoldName(*value.name) != folded) continue;
      const std::optional<RegValue> stored = hive_->Read(value.handle);
      return stored ? ValueFromWide(*stored, program_) : std::nullopt;
    }
    return std::nullopt;
  }
  // A hive's own top key is shown under the name of the place it is
  // mounted at, not its own.
  std::optional<std::string> StoredName() override {
    const std::optional<std::u16string>& name = hive_->At(node_).name;
    if (node_ == Hive::kRoot || !name) return std::nullopt;
    return program_.FromWide(*name);
  }
  std::string Identity() override { return hive_->File() + '|' + std::to_string(node_); }
  bool SetValue(const std::string&, const RegValue&) override { return false; }
  bool DeleteValue(const std::string&) override { return false; }

 private:
  NamesInCodePage Subkeys() const {
    std::vector<std::u16string> names;
    std::size_t undecodable = 0;
    for (const Hive::NodeIndex subkey : hive_->At(node_).subkeys) {
      if (const auto& name = hive_->At(subkey).name)
        names.push_back(*name);
      else
        ++undecodable;
    }
    AddNames(names, places_below_);
    return WithUndecodable(SplitNames(names, program_), undecodable);
  }
  NamesInCodePage Names() const {
    std::vector<std::u16string> names;
    std::size_t undecodable = 0;
    for (const Hive::NamedValue& value : hive_->Values(node_)) {
      if (value.name)
        names.push_back(*value.name);
      else
        ++undecodable;
    }
    std::stable_sort(names.begin(), names.end(),
                     [](const std::u16string& a, const std::u16string& b) { return FoldName(a) < FoldName(b); });
    return WithUndecodable(SplitNames(names, program_), undecodable);
  }
  // A stored name that is no valid text at all shows as "?".
  static NamesInCodePage WithUndecodable(NamesInCodePage split, std::size_t undecodable) {
    split.unreadable.insert(split.unreadable.end(), undecodable, "?");
    return split;
  }

  std::shared_ptr<const Hive> hive_;
  Hive::NodeIndex node_;
  std::vector<std::u16string> places_below_;
  const CodePage& program_;
};

std::vector<std::string> Union(std::vector<std::string> first, const std::vector<std::string>& second,
                               const CodePage& program) {
  std::vector<std::u16string> wide;
  for (const std::string& name : first) wide.push_back(program.ToWide(name).value_or(u""));
  std::vector<std::u16string> more;
  for (const std::string& name : second) more.push_back(program.ToWide(name).value_or(u""));
  AddNames(wide, more);
  std::vector<std::string> names;
  for (const std::u16string& name : wide) names.push_back(program.FromWide(name).value_or(""));
  return names;
}

// A key of the merged classes root that both the user and the machine have.
class MergedClassesKey : public RegKey {
 public:
  MergedClassesKey(std::unique_ptr<RegKey> user, std::unique_ptr<RegKey> machine, const CodePage& program)
      : user_(std::move(user)), machine_(std::move(machine)), program_(program) {}
  std::vector<std::string> SubkeyNames() override {
    return Union(user_->SubkeyNames(), machine_->SubkeyNames(), program_);
  }
  std::vector<std::string> UnreadableSubkeyNames() override {
    std::vector<std::string> names = user_->UnreadableSubkeyNames();
    for (std::string& name : machine_->UnreadableSubkeyNames()) names.push_back(std::move(name));
    return names;
  }
  std::vector<std::string> ValueNames() override { return user_->ValueNames(); }
  std::vector<std::string> UnreadableValueNames() override { return user_->UnreadableValueNames(); }
  std::optional<RegValue> QueryValue(const std::string& name) override { return user_->QueryValue(name); }
  std::optional<std::string> StoredName() override { return user_->StoredName(); }
  bool SetValue(const std::string&, const RegValue&) override { return false; }
  bool DeleteValue(const std::string&) override { return false; }

 private:
  std::unique_ptr<RegKey> user_, machine_;
  const CodePage& program_;
};

const Path& ClassesPath() {
  static const Path path{u"Software", u"Classes"};
  return path;
}

Path Joined(const Path& first, const Path& second) {
  Path joined = first;
  joined.insert(joined.end(), second.begin(), second.end());
  return joined;
}

}  // namespace

void HiveRegistry::Mount(RootKey root, const std::string& at, std::shared_ptr<const Hive> hive) {
  places_.push_back({root, SplitPath(at, Utf8CodePage()).value_or(Path{}), std::move(hive)});
}

std::vector<std::u16string> HiveRegistry::PlacesBelow(RootKey root, const Path& path) const {
  std::vector<std::u16string> names;
  for (const Place& place : places_)
    if (place.root == root && place.at.size() > path.size() && StartsWith(place.at, path))
      AddNames(names, {place.at[path.size()]});
  return names;
}

std::unique_ptr<RegKey> HiveRegistry::OpenPlain(RootKey root, const Path& path) {
  const Place* best = nullptr;
  for (const Place& place : places_)
    if (place.root == root && StartsWith(path, place.at) && (!best || place.at.size() >= best->at.size()))
      best = &place;
  std::vector<std::u16string> below = PlacesBelow(root, path);
  if (best) {
    const Path rest(path.begin() + static_cast<std::ptrdiff_t>(best->at.size()), path.end());
    if (const std::optional<Hive::NodeIndex> node = best->hive->Find(rest))
      return std::make_unique<HiveKey>(best->hive, *node, std::move(below), program_);
  }
  if (below.empty()) return nullptr;
  return std::make_unique<PlaceholderKey>(std::move(below), program_);
}

std::unique_ptr<RegKey> HiveRegistry::OpenRead(RootKey root, const std::string& path) {
  const std::optional<Path> components = SplitPath(path, program_);
  if (!components) return nullptr;
  if (root != kClassesRoot || !merged_classes_root_) return OpenPlain(root, *components);
  std::unique_ptr<RegKey> user = OpenPlain(kCurrentUser, Joined(ClassesPath(), *components));
  std::unique_ptr<RegKey> machine = OpenPlain(kLocalMachine, Joined(ClassesPath(), *components));
  if (!user) return machine;
  if (!machine) return user;
  return std::make_unique<MergedClassesKey>(std::move(user), std::move(machine), program_);
}

bool HiveRegistry::IsUserClassesKey(const std::string& path) {
  const std::optional<Path> components = SplitPath(path, program_);
  return merged_classes_root_ && components &&
         OpenPlain(kCurrentUser, Joined(ClassesPath(), *components)) != nullptr;
}
