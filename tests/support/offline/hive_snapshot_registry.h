#pragma once
// The hive registry under the registry contract: writes go to an in-memory
// registry (hives are never written by the program), and every opening for
// reading first writes each root's tree as a hive file and reads the key
// from those hives. So all that is read was stored by hivex in a real hive
// and read back through the offline seam, in code page 1252 as the other
// registries of the contract are read.
#include <memory>
#include <string>

#include "platform/memory_registry.h"
#include "platform/offline/hive_registry.h"
#include "support/windows_1252.h"

class HiveSnapshotRegistry : public Registry {
 public:
  HiveSnapshotRegistry();
  ~HiveSnapshotRegistry() override;

  std::unique_ptr<RegKey> OpenRead(RootKey root, const std::string& path) override;
  std::unique_ptr<RegKey> OpenWrite(RootKey root, const std::string& path) override {
    return written_.OpenWrite(root, path);
  }
  bool DeleteKey(RootKey root, const std::string& path) override { return written_.DeleteKey(root, path); }
  bool DeleteLeafKey(RootKey root, const std::string& path) override { return written_.DeleteLeafKey(root, path); }

 private:
  std::string folder_;
  MemoryRegistry written_;
  Windows1252 code_page_;
  std::unique_ptr<HiveRegistry> hives_;
};
