#pragma once
// The fixture of the registry contract, shared with the suites that run the
// contract against registries of other builds (the offline hives).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/root_keys.h"
#include "support/test_registries.h"

class RegistryContract : public testing::TestWithParam<TestRegistryKind> {
 protected:
  void SetUp() override { registry_ = GetParam().make(); }

  std::unique_ptr<RegKey> Write(const std::string& path, RootKey root = kHkeyCurrentUser) {
    std::unique_ptr<RegKey> key = registry_->OpenWrite(root, path);
    EXPECT_NE(key, nullptr) << path;
    return key;
  }
  void Set(const std::string& path, const std::string& name, const RegValue& value) {
    std::unique_ptr<RegKey> key = Write(path);
    ASSERT_NE(key, nullptr);
    EXPECT_TRUE(key->SetValue(name, value)) << name;
  }
  std::vector<std::string> Subkeys(const std::string& path, RootKey root = kHkeyCurrentUser) {
    std::unique_ptr<RegKey> key = registry_->OpenRead(root, path);
    return key ? key->SubkeyNames() : std::vector<std::string>{"<cannot open>"};
  }

  std::unique_ptr<Registry> registry_;
};

