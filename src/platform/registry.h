#pragma once
// The registry seam: a registry reached by root key handle and key path.
// Implementations: the real one over the Win32 registry functions and an
// in-memory one loaded from REGEDIT4 text.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using RootKey = std::uint32_t;  // predefined key handle value; 0 = no root

// Registry value types, numbered as Windows numbers them.
enum RegType : std::uint32_t {
  kRegNone = 0,
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
  kRegDwordBigEndian = 5,
  kRegLink = 6,
  kRegMultiSz = 7,
  kRegResourceList = 8,
  kRegFullResourceDescriptor = 9,
  kRegResourceRequirementsList = 10,
  kRegQword = 11,
};

struct RegValue {
  std::uint32_t type = kRegNone;
  std::vector<std::uint8_t> data;
  bool operator==(const RegValue&) const = default;
};

// One open key. Closing is releasing the object.
class RegKey {
 public:
  virtual ~RegKey() = default;
  // Names in the registry's enumeration order.
  virtual std::vector<std::string> SubkeyNames() = 0;
  virtual std::vector<std::string> ValueNames() = 0;
  // Subkeys and values whose names the program's code page cannot hold,
  // each shown with '?' for what it lacks. The lists above leave them out:
  // they cannot be opened, read or deleted by name.
  virtual std::vector<std::string> UnreadableSubkeyNames() { return {}; }
  virtual std::vector<std::string> UnreadableValueNames() { return {}; }
  // Empty when the value does not exist or cannot be read (text that the
  // program's code page cannot hold included). The empty name is the
  // default value.
  virtual std::optional<RegValue> QueryValue(const std::string& name) = 0;
  // The class the key was created with (empty: none); nothing when it cannot
  // be read.
  virtual std::optional<std::string> ClassName() { return std::string(); }
  // The key's own name as the registry stores it, letter case and all;
  // nothing for a root key, or when the path's last name reached the key
  // through a link of another name.
  virtual std::optional<std::string> StoredName() { return std::nullopt; }
  // The name of the key's value that the registry takes for this one, as it
  // stores it; nothing when the key has no such value.
  virtual std::optional<std::string> StoredValueName(const std::string& name);
  // The same text for every open key of one key of the registry, whatever
  // reached it: another letter case, an alias (HKEY_CLASSES_ROOT and the
  // classes it shows, HKEY_CURRENT_USER and HKEY_USERS\<SID>) or a link.
  // A key of the classes root that both the user's and the machine's
  // classes hold is a key of its own: it shows both. Empty when the
  // registry cannot tell.
  virtual std::string Identity() { return std::string(); }
  // Writes need a key opened for writing; false when the write failed.
  virtual bool SetValue(const std::string& name, const RegValue& value) = 0;
  virtual bool DeleteValue(const std::string& name) = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // Empty when the key does not exist or cannot be opened (root 0 opens
  // nothing). An empty path is the root key itself.
  virtual std::unique_ptr<RegKey> OpenRead(RootKey root, const std::string& path) = 0;
  // Opens the key for writing, creating it and its missing parents.
  virtual std::unique_ptr<RegKey> OpenWrite(RootKey root, const std::string& path) = 0;
  // Opens the key for writing only when it exists: a deletion must never
  // bring back a key that went meanwhile. The default asks in two calls.
  virtual std::unique_ptr<RegKey> OpenExisting(RootKey root, const std::string& path) {
    return OpenRead(root, path) ? OpenWrite(root, path) : nullptr;
  }
  // Deletes the key with all its subkeys; false when nothing was deleted.
  virtual bool DeleteKey(RootKey root, const std::string& path) = 0;
  // Deletes the key with its values only while it has no subkeys (the
  // system's own non-recursive call); false when nothing was deleted: it has
  // a subkey, is gone or the registry refuses.
  virtual bool DeleteLeafKey(RootKey root, const std::string& path) = 0;

  // Whether the system keeps two registry views (64-bit Windows), whichever
  // width this program has. Paths then name the view (registry_views.h): a
  // path with Wow6432Node in it reaches the 32-bit view, any other the
  // 64-bit one, from a 32-bit program as from a 64-bit one.
  virtual bool HasTwoViews() { return false; }
  // Whether HKEY_CLASSES_ROOT\path is a key of the user's classes: the
  // classes root of Windows shows HKEY_CURRENT_USER\Software\Classes over
  // HKLM\Software\Classes, a user's key before the machine's of the same
  // name. False where the root shows the machine's classes only.
  virtual bool IsUserClassesKey(const std::string& /*path*/) { return false; }
};
