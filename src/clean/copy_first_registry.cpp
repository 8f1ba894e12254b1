#include "clean/copy_first_registry.h"

#include <algorithm>

#include "platform/case_fold.h"

namespace {

// The key as the registry holds it now, opened only when first asked.
class LiveKey {
 public:
  LiveKey(Registry& registry, RootKey root, std::string path)
      : registry_(registry), root_(root), path_(std::move(path)) {}
  RegKey* Get() {
    if (!opened_) {
      opened_ = true;
      key_ = registry_.OpenRead(root_, path_);
    }
    return key_.get();
  }

 private:
  Registry& registry_;
  RootKey root_;
  std::string path_;
  bool opened_ = false;
  std::unique_ptr<RegKey> key_;
};

// The copy's entry for the value the registry takes for name (it may say
// the value was absent): by letter case as this program folds it, else by
// the name the registry stores the value under, for the letters only the
// registry folds. Null when the copy has none.
const ValuesSnapshot::value_type* CopiedValue(const ValuesSnapshot& values, const std::string& name, LiveKey& live) {
  const auto named = [&](const std::string& wanted, bool exactly) {
    const auto found = std::find_if(values.begin(), values.end(), [&](const auto& value) {
      return exactly ? value.first == wanted : EqualsNoCase(value.first, wanted);
    });
    return found == values.end() ? nullptr : &*found;
  };
  if (const auto* found = named(name, false)) return found;
  const std::optional<std::string> stored = live.Get() ? live.Get()->StoredValueName(name) : std::nullopt;
  return stored ? named(*stored, true) : nullptr;
}

// A key as the copy holds it; read-only.
class CopiedKey : public RegKey {
 public:
  CopiedKey(const KeySnapshot& key, Registry& registry, RootKey root)
      : key_(key), live_(registry, root, key.path) {}
  std::vector<std::string> SubkeyNames() override { return key_.subkeys; }
  std::vector<std::string> ValueNames() override {
    std::vector<std::string> names;
    names.reserve(key_.values.size());
    for (const auto& value : key_.values) names.push_back(value.first);
    return names;
  }
  std::optional<RegValue> QueryValue(const std::string& name) override {
    const auto* copied = CopiedValue(key_.values, name, live_);
    return copied ? copied->second : std::nullopt;
  }
  std::optional<std::string> StoredValueName(const std::string& name) override {
    const auto* copied = CopiedValue(key_.values, name, live_);
    return copied && copied->second ? std::optional<std::string>(copied->first) : std::nullopt;
  }
  std::optional<std::string> ClassName() override { return key_.class_name; }
  bool SetValue(const std::string&, const RegValue&) override { return false; }
  bool DeleteValue(const std::string&) override { return false; }

 private:
  const KeySnapshot& key_;
  LiveKey live_;
};

// A key of which the copy holds some values: those are read from the copy,
// anything else from the registry, opened only when asked. A key gone
// meanwhile shows nothing but the copied values; its deletion finds it gone.
class KeyWithCopiedValues : public RegKey {
 public:
  KeyWithCopiedValues(const ValuesSnapshot& values, Registry& registry, RootKey root, std::string path)
      : values_(values), live_(registry, root, std::move(path)) {}
  std::vector<std::string> SubkeyNames() override { return Live() ? Live()->SubkeyNames() : std::vector<std::string>{}; }
  std::vector<std::string> ValueNames() override { return Live() ? Live()->ValueNames() : std::vector<std::string>{}; }
  std::vector<std::string> UnreadableSubkeyNames() override {
    return Live() ? Live()->UnreadableSubkeyNames() : std::vector<std::string>{};
  }
  std::vector<std::string> UnreadableValueNames() override {
    return Live() ? Live()->UnreadableValueNames() : std::vector<std::string>{};
  }
  std::optional<RegValue> QueryValue(const std::string& name) override {
    if (const auto* copied = CopiedValue(values_, name, live_)) return copied->second;
    return Live() ? Live()->QueryValue(name) : std::nullopt;
  }
  std::optional<std::string> StoredValueName(const std::string& name) override {
    if (const auto* copied = CopiedValue(values_, name, live_))
      return copied->second ? std::optional<std::string>(copied->first) : std::nullopt;
    return Live() ? Live()->StoredValueName(name) : std::nullopt;
  }
  std::optional<std::string> ClassName() override { return Live() ? Live()->ClassName() : std::nullopt; }
  bool SetValue(const std::string&, const RegValue&) override { return false; }
  bool DeleteValue(const std::string&) override { return false; }

 private:
  RegKey* Live() { return live_.Get(); }

  const ValuesSnapshot& values_;
  LiveKey live_;
};

}  // namespace

std::unique_ptr<RegKey> CopyFirstRegistry::OpenRead(RootKey root, const std::string& path) {
  if (copy_ && root == copy_->key.Root()) {
    // A key that went while the copy was read has no class copied: the
    // registry tells what it is now.
    const auto copied = std::find_if(copy_->branch.begin(), copy_->branch.end(), [&](const KeySnapshot& key) {
      return key.class_name && EqualsNoCase(key.path, path);
    });
    if (copied != copy_->branch.end()) return std::make_unique<CopiedKey>(*copied, registry_, root);
    if (copy_->branch.empty() && EqualsNoCase(copy_->key.Path(), path))
      return std::make_unique<KeyWithCopiedValues>(copy_->values, registry_, root, path);
  }
  return registry_.OpenRead(root, path);
}
