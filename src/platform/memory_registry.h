#pragma once
// A registry held in memory, the double of the system's for the tests, the
// benchmark and the fuzz targets, behaving like the system registry in
// everything this program relies on: the seven predefined roots (each its own tree),
// names without regard to letter case but kept as first written, values
// with their type and exact bytes, and the system's enumeration order
// (see registry_name_order.h).
//
// Told to, it behaves like 64-bit Windows where this program relies on it:
// two registry views (the 32-bit one under the Wow6432Node keys, as every
// program names it), a classes root that shows the user's classes over
// the machine's, and the keys Windows shows under two names. Otherwise
// HKEY_CLASSES_ROOT is a tree of its own, and so is every root key.
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
  bool DeleteLeafKey(RootKey root, const std::string& path) override;
  std::unique_ptr<RegKey> OpenExisting(RootKey root, const std::string& path) override;
  bool HasTwoViews() override { return two_views_; }
  bool IsUserClassesKey(const std::string& path) override;

  // Creates the key, as the system does when given a class, or sets its class.
  void SetKeyClass(RootKey root, const std::string& path, const std::string& class_name);
  void SetTwoViews(bool two_views) { two_views_ = two_views; }
  // HKEY_CLASSES_ROOT then merges HKEY_CURRENT_USER\Software\Classes over
  // HKLM\Software\Classes: a key is read from the user's classes when they
  // have it, else from the machine's; its subkeys are those of both. A
  // write goes to the user's key when it exists, else to the machine's.
  void MergeClassesRoot() { merged_classes_root_ = true; }
  // Then it behaves like a program that reaches the system registry through
  // the ANSI functions alone, which take no name longer than this many
  // bytes: such subkeys and values are listed among the unreadable ones
  // and cannot be opened, read, written or deleted.
  void LimitNames(std::size_t bytes) { name_limit_ = bytes; }
  // Makes the key at path (a root key when empty) a link to the target,
  // created if missing: both names then reach one key, and the link's
  // parent lists it by the link's name. Whatever was at path is no longer
  // reached. Deleting the link deletes the link alone.
  void Link(RootKey root, const std::string& path, RootKey target_root, const std::string& target);
  // The links Windows has, with the user's security identifier:
  // HKEY_CURRENT_USER is HKEY_USERS\<sid> and its Software\Classes is
  // HKEY_USERS\<sid>_Classes; HKEY_USERS\S-1-5-18 is HKEY_USERS\.DEFAULT;
  // HKLM\SYSTEM\CurrentControlSet is ControlSet001, whose Hardware
  // Profiles\Current is 0001 and is HKEY_CURRENT_CONFIG; and
  // HKLM\SOFTWARE\Wow6432Node\Classes is HKLM\SOFTWARE\Classes\Wow6432Node.
  // Call before anything is written there.
  void AnswerAliasesAsWindows(const std::string& user_sid);

  struct Node;
  struct Found;

 private:
  Found Find(RootKey root, const std::string& path, bool create);
  // The key of the merged classes root that reads and writes go to.
  Found FindClassesKey(const std::string& path, bool create);
  bool IsMergedClassesRoot(RootKey root) const;
  bool Delete(RootKey root, const std::string& path, bool leaf_only);

  std::array<std::shared_ptr<Node>, 7> roots_;
  bool two_views_ = false;
  bool merged_classes_root_ = false;
  std::size_t name_limit_ = std::string::npos;
};
