#include "clean/copy_first_registry.h"

#include <algorithm>

#include "platform/case_fold.h"

namespace {

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
    const auto found = std::find_if(key_.values.begin(), key_.values.end(),
                                    [&](const auto& value) { return EqualsNoCase(value.first, name); });
    return found == key_.values.end() ? std::nullopt : found->second;
  }
  std::optional<std::string> ClassName() override { return key_.class_name; }
  bool SetValue(const std::string&, const RegValue&) override { return false; }
  bool DeleteValue(const std::string&) override { return false; }

 private:
  const KeySnapshot& key_;
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
  }
  return registry_.OpenRead(root, path);
}
