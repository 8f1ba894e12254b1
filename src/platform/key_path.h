#pragma once
// A registry key as one value: its root key and the path below it, so that
// the two travel together and the path's form has one owner.
#include <string>
#include <vector>

#include "platform/registry.h"

class KeyPath {
 public:
  KeyPath() = default;
  KeyPath(RootKey root, std::string path) : root_(root), path_(std::move(path)) {}

  RootKey Root() const { return root_; }
  // Below the root key; empty for the root key itself.
  const std::string& Path() const { return path_; }
  // "HKEY_CURRENT_USER\Software\Run"; the root's name alone for the root
  // key; empty for a handle that is no root key.
  std::string FullName() const;
  // The key names below the root, split at every backslash; none for the
  // root key itself.
  std::vector<std::string> Components() const;
  KeyPath Child(const std::string& name) const;
  // The key that many levels up; the root key at the most.
  KeyPath Up(int levels) const;

  bool operator==(const KeyPath&) const = default;

 private:
  RootKey root_ = 0;
  std::string path_;
};

// Two parts of a key path joined by a backslash; an empty part adds nothing,
// so a root name joined with an empty key path names the root key itself.
std::string JoinKeyPath(const std::string& head, const std::string& tail);
