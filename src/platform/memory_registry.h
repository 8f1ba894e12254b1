#pragma once
// A registry held in memory, behaving like the system registry in everything
// this program relies on: the seven predefined roots (each its own tree),
// names without regard to letter case but kept as first written, values
// with their type and exact bytes, and the system's enumeration order
// (see registry_name_order.h).
//
// Not synchronised: one thread may write, or several may read while nothing
// writes. Keys stay valid after being deleted; they then read as empty and
// refuse writes, like a handle to a deleted key.
#include <array>
#include <memory>
#include <string>

#include "platform/registry.h"

class MemoryRegistry : public Registry {
 public:
  MemoryRegistry();
  ~MemoryRegistry() override;

  std::unique_ptr<RegKey> OpenRead(RootKey root, const std::string& path) override;
  std::unique_ptr<RegKey> OpenWrite(RootKey root, const std::string& path) override;
  bool DeleteKey(RootKey root, const std::string& path) override;

  struct Node;

 private:
  std::shared_ptr<Node> Find(RootKey root, const std::string& path, bool create);

  std::array<std::shared_ptr<Node>, 7> roots_;
};
