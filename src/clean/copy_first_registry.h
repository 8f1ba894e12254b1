#pragma once
// The registry as a judge sees it right before a deletion: the keys of the
// branch the backup copied, or the values it copied, are read from that
// copy, everything else from the registry. The deletion goes on only while the registry still equals
// the copy, so a verdict on the copy is a verdict on what goes, and judging
// costs no second read of what the comparison reads anyway.
#include <memory>
#include <string>

#include "platform/registry.h"
#include "regtext/registry_snapshot.h"

class CopyFirstRegistry : public Registry {
 public:
  explicit CopyFirstRegistry(Registry& registry) : registry_(registry) {}

  // The copy answers while this lives; then the registry answers all.
  class Answering {
   public:
    Answering(CopyFirstRegistry& registry, const BackupCopy& copy) : registry_(registry) { registry_.copy_ = &copy; }
    ~Answering() { registry_.copy_ = nullptr; }
    Answering(const Answering&) = delete;
    Answering& operator=(const Answering&) = delete;

   private:
    CopyFirstRegistry& registry_;
  };

  std::unique_ptr<RegKey> OpenRead(RootKey root, const std::string& path) override;
  std::unique_ptr<RegKey> OpenWrite(RootKey root, const std::string& path) override {
    return registry_.OpenWrite(root, path);
  }
  bool DeleteKey(RootKey root, const std::string& path) override { return registry_.DeleteKey(root, path); }
  bool DeleteLeafKey(RootKey root, const std::string& path) override { return registry_.DeleteLeafKey(root, path); }
  std::unique_ptr<RegKey> OpenExisting(RootKey root, const std::string& path) override {
    return registry_.OpenExisting(root, path);
  }
  bool HasTwoViews() override { return registry_.HasTwoViews(); }
  bool IsUserClassesKey(const std::string& path) override { return registry_.IsUserClassesKey(path); }

 private:
  Registry& registry_;
  const BackupCopy* copy_ = nullptr;
};
