// The registry contract on the offline hives: what was stored in a hive
// reads back through the hive registry as from the system registry.
#include "platform/registry_contract.h"
#include "support/offline/hive_snapshot_registry.h"

namespace {

std::vector<TestRegistryKind> HiveKinds() {
  return {{"Hive", [] { return std::make_unique<HiveSnapshotRegistry>(); }}};
}

INSTANTIATE_TEST_SUITE_P(Offline, RegistryContract, testing::ValuesIn(HiveKinds()), TestRegistryKindName);

}  // namespace
