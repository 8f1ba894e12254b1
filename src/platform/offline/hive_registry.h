#pragma once
// A read-only registry made of hive files, each shown at a place of the
// live registry (a root key, or a key below one), as Windows loads them:
// the SOFTWARE hive as HKEY_LOCAL_MACHINE\Software, a user's NTUSER.DAT as
// HKEY_CURRENT_USER and UsrClass.dat as HKEY_CURRENT_USER\Software\Classes.
// The keys above a hive's place exist and list it. Names and text reach the
// program in its code page (see registry_code_page.h); every write fails.
#include <memory>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/offline/hive.h"
#include "platform/registry.h"

class HiveRegistry : public Registry {
 public:
  explicit HiveRegistry(const CodePage& program) : program_(program) {}

  // Shows the hive at that key (path below the root; empty for the root
  // itself). A later, longer place wins over the keys of an earlier hive.
  void Mount(RootKey root, const std::string& at, std::shared_ptr<const Hive> hive);
  // HKEY_CLASSES_ROOT then shows HKEY_CURRENT_USER\Software\Classes over
  // HKEY_LOCAL_MACHINE\Software\Classes, as Windows merges them: a key's
  // values come from the user's key when the user has it, its subkeys are
  // those of both.
  void MergeClassesRoot() { merged_classes_root_ = true; }
  void SetTwoViews(bool two_views) { two_views_ = two_views; }

  std::unique_ptr<RegKey> OpenRead(RootKey root, const std::string& path) override;
  std::unique_ptr<RegKey> OpenWrite(RootKey, const std::string&) override { return nullptr; }
  bool DeleteKey(RootKey, const std::string&) override { return false; }
  bool DeleteLeafKey(RootKey, const std::string&) override { return false; }
  bool HasTwoViews() override { return two_views_; }
  bool IsUserClassesKey(const std::string& path) override;

 private:
  struct Place {
    RootKey root;
    std::vector<std::u16string> at;  // folded
    std::shared_ptr<const Hive> hive;
  };
  std::unique_ptr<RegKey> OpenPlain(RootKey root, const std::vector<std::u16string>& path);
  // The names of the hives' places directly below that key.
  std::vector<std::u16string> PlacesBelow(RootKey root, const std::vector<std::u16string>& path) const;

  const CodePage& program_;
  std::vector<Place> places_;
  bool merged_classes_root_ = false;
  bool two_views_ = false;
};
