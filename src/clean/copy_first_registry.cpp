#include "clean/copy_first_registry.h"

#include <algorithm>

#include "platform/case_fold.h"

namespace {

// The copy's entry for the value (which may say it was absent); null when
// the copy has none.
const std::optional<RegValue>* CopiedValue(const ValuesSnapshot& values, const std::string& name) {
  const auto found =
      std::find_if(values.begin(), values.end(), [&](const auto& value) { return EqualsNoCase(value.first, name); });
  return found == values.end() ? nullptr : &found->second;
}

// A key as the copy holds it; read-only.
class CopiedKey : public RegKey {
 public:
  explicit CopiedKey(const KeySnapshot& key) : key_(key) {}
  std::vector<std::string> SubkeyNames() override { return key_.subkeys; }
  std::vector<std::string> ValueNames() override {
    std::vector<std::string> names;
    names.reserve(key_.values.size());
    for (const auto& value : key_.values) names.push_back(value.first);
    return names;
  }
  std::optional<RegValue> QueryValue(const std::string& name) override {
    const std::optional<RegValue>* copied = CopiedValue(key_.values, name);
    return copied ? *copied : std::nullopt;
  }
  std::optional<std::string> ClassName() override { return key_.class_name; }
  bool SetValue(const std::string&, const RegValue&) override { return false; }
  bool DeleteValue(const std::string&) override { return false; }

 private:
  const KeySnapshot& key_;
};

// A key of which the copy holds some values: those are read from the copy,
// anything else from the registry, opened only when asked. A key gone
// meanwhile shows nothing but the copied values; its deletion finds it gone.
class KeyWithCopiedValues : public RegKey {
 public:
  KeyWithCopiedValues(const ValuesSnapshot& values, Registry& registry, RootKey root, std::string path)
      : values_(values), registry_(registry), root_(root), path_(std::move(path)) {}
  std::vector<std::string> SubkeyNames() override { return Live() ? live_->SubkeyNames() : std::vector<std::string>{}; }
  std::vector<std::string> ValueNames() override { return Live() ? live_->ValueNames() : std::vector<std::string>{}; }
  std::vector<std::string> UnreadableSubkeyNames() override {
    return Live() ? live_->UnreadableSubkeyNames() : std::vector<std::string>{};
  }
  std::vector<std::string> UnreadableValueNames() override {
    return Live() ? live_->UnreadableValueNames() : std::vector<std::string>{};
  }
  std::optional<RegValue> QueryValue(const std::string& name) override {
    if (const std::optional<RegValue>* copied = CopiedValue(values_, name)) return *copied;
    return Live() ? live_->QueryValue(name) : std::nullopt;
  }
  std::optional<std::string> ClassName() override { return Live() ? live_->ClassName() : std::nullopt; }
  bool SetValue(const std::string&, const RegValue&) override { return false; }
  bool DeleteValue(const std::string&) override { return false; }

 private:
  bool Live() {
    if (!opened_) {
      opened_ = true;
      live_ = registry_.OpenRead(root_, path_);
    }
    return live_ != nullptr;
  }

  const ValuesSnapshot& values_;
  Registry& registry_;
  RootKey root_;
  std::string path_;
  bool opened_ = false;
  std::unique_ptr<RegKey> live_;
};

}  // namespace

std::unique_ptr<RegKey> CopyFirstRegistry::OpenRead(RootKey root, const std::string& path) {
  if (copy_ && root == copy_->key.Root()) {
    // A key that went while the copy was read has no class copied: the
    // registry tells what it is now.
    const auto copied = std::find_if(copy_->branch.begin(), copy_->branch.end(), [&](const KeySnapshot& key) {
      return key.class_name && EqualsNoCase(key.path, path);
    });
    if (copied != copy_->branch.end()) return std::make_unique<CopiedKey>(*copied);
    if (copy_->branch.empty() && EqualsNoCase(copy_->key.Path(), path))
      return std::make_unique<KeyWithCopiedValues>(copy_->values, registry_, root, path);
  }
  return registry_.OpenRead(root, path);
}
