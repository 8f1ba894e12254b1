#pragma once
// The name a scan reports a problem's key by. One key of the registry gets
// one name, however many paths reach it: letter case, the classes root and
// the classes it shows, HKEY_CURRENT_USER and HKEY_USERS\<SID>, links such
// as CurrentControlSet or the 32-bit view's Wow6432Node\Classes. The name
// is the first path that reached the key, each name in it spelled as the
// registry stores it, so that whatever is written or deleted by that name
// is the key exactly as it is.
#include <string>
#include <unordered_map>

#include "platform/registry.h"

class ProblemNaming {
 public:
  explicit ProblemNaming(Registry& registry) : registry_(registry) {}

  // The name of the key at the full path (root name first). A key of the
  // classes root that lives in the user's classes is named by its path
  // there: written back under HKEY_CLASSES_ROOT it would land in the
  // machine's classes. A path that names no key (an unknown root, an empty
  // name in it) is its own name. key: the key at the path, open, when the
  // caller has it (it is not opened again); else null. last_name_listed:
  // the path's last name is as the key's parent lists it, so as stored.
  std::string NameOf(const std::string& full_path, RegKey* key = nullptr, bool last_name_listed = false);

 private:
  std::string WhereKeyLives(const std::string& full_path);
  std::string Named(RootKey root, const std::string& path, RegKey* key, bool last_name_listed);
  // The last name of the path as the parent's subkeys list it; the path's
  // own spelling when none of them is that name.
  std::string ListedName(RootKey root, const std::string& path);

  Registry& registry_;
  std::unordered_map<std::string, std::string> by_key_;   // a key's identity -> its name
  std::unordered_map<std::string, std::string> by_path_;  // a path, letter case folded -> its name
};
