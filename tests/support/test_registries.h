#pragma once
// The registries a registry-using test can run on, for TEST_P suites:
//
//   INSTANTIATE_TEST_SUITE_P(Each, MySuite, testing::ValuesIn(TestRegistryKinds()),
//                            TestRegistryKindName);
//   ... in the test: std::unique_ptr<Registry> registry = GetParam().make();
//
// Natively this is the in-memory registry. In the Windows build it is also
// the system registry, with every root redirected into a fresh, empty sandbox
// that is removed when the registry object is released (see
// registry_sandbox_win32.h). Each make() gives an empty registry.
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/registry.h"
#include "support/reg_value_print.h"

struct TestRegistryKind {
  std::string name;
  std::function<std::unique_ptr<Registry>()> make;
};

std::vector<TestRegistryKind> TestRegistryKinds();

void PrintTo(const TestRegistryKind& kind, std::ostream* out);

std::string TestRegistryKindName(const testing::TestParamInfo<TestRegistryKind>& info);
