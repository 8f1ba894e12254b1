#include "support/offline/hive_snapshot_registry.h"

#include <stdlib.h>

#include <filesystem>

#include "support/offline/hive_writer.h"

HiveSnapshotRegistry::HiveSnapshotRegistry() {
  char folder[] = "/tmp/tarnel-hives-XXXXXX";
  folder_ = mkdtemp(folder) ? folder : "";
}

HiveSnapshotRegistry::~HiveSnapshotRegistry() {
  hives_.reset();
  std::error_code ignored;
  if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
}

std::unique_ptr<RegKey> HiveSnapshotRegistry::OpenRead(RootKey root, const std::string& path) {
  hives_ = std::make_unique<HiveRegistry>(code_page_);
  for (RootKey each = 0x80000000u; each <= 0x80000006u; ++each) {
    const std::string file = folder_ + "/" + std::to_string(each - 0x80000000u);
    WriteHive(file, written_, each, "", code_page_);
    hives_->Mount(each, "", std::make_shared<const Hive>(file));
  }
  return hives_->OpenRead(root, path);
}
