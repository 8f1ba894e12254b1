#include "support/test_registries.h"

#include "platform/memory_registry.h"
#ifdef _WIN32
#include "support/registry_sandbox_win32.h"
#endif

std::vector<TestRegistryKind> TestRegistryKinds() {
  std::vector<TestRegistryKind> kinds;
  kinds.push_back({"Memory", [] { return std::make_unique<MemoryRegistry>(); }});
#ifdef _WIN32
  kinds.push_back({"System", [] { return MakeSandboxedSystemRegistry(); }});
#endif
  return kinds;
}

std::string TestRegistryKindName(const testing::TestParamInfo<TestRegistryKind>& info) { return info.param.name; }

void PrintTo(const TestRegistryKind& kind, std::ostream* out) { *out << kind.name; }
