#pragma once
// Reads REGEDIT4 text, the import format of the registry editor, back into
// keys and values with their exact types and bytes.
//
// What is accepted (anything else raises RegTextError with its line number):
// - The first line is exactly "REGEDIT4". Lines end in CR LF, LF or a lone CR
//   (the registry editor breaks lines at a lone CR too).
// - Empty lines, lines of blanks, and lines whose first non-blank character
//   is ';' are passed over. Blanks are spaces and tabs.
// - "[path]" starts a key block and "[-path]" deletes a key with its subkeys;
//   blanks may stand before "[" and after "]". The path is not escaped: a
//   root key name spelt as the root key table spells it, then optionally a
//   backslash and the path below the root. A root key cannot be deleted.
// - Value lines belong to the [path] block above them:
//   name "=" data, with blanks allowed before the name and after the data.
//   The name is @ for the default value, or a quoted text in which \\ stands
//   for a backslash and \" for a double quote (no other escape exists).
//   The data is one of:
//     "text"     REG_SZ: the bytes of the text, with the same escapes, then
//                a terminating zero byte, as the editor stores it;
//     dword:h    REG_DWORD from 1 to 8 hex digits, stored little-endian;
//     hex:list   REG_BINARY;  hex(N):list  type N, 1 to 8 hex digits;
//                the list is bytes of 1 or 2 hex digits separated by commas,
//                blanks around them allowed, possibly empty. A line that ends
//                in a backslash (after a comma, or right after the colon)
//                continues the list on the next line, whose leading blanks
//                are passed over. The bytes are taken as written (but see
//                AsTheEditorStoresIt);
//     -          the value is deleted.
//   "dword" and "hex" are lower case; hex digits may be either case.
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "platform/registry.h"

class RegTextError : public std::runtime_error {
 public:
  RegTextError(int line, const std::string& what);
  int Line() const { return line_; }

 private:
  int line_;
};

struct RegTextValue {
  std::string name;               // empty for the default value
  std::optional<RegValue> value;  // empty when the line deletes the value
  bool quoted = false;            // written as "text" rather than in hex
  int line = 0;
};

struct RegTextKey {
  std::string path;     // as written: root key name, backslash, path below
  RootKey root = 0;
  std::string subpath;  // the path below the root key; empty for the root itself
  bool remove = false;  // a [-path] line: the key is deleted and has no values
  std::vector<RegTextValue> values;
  int line = 0;
};

inline constexpr const char* kRegedit4Header = "REGEDIT4";
// The key blocks of the text in their order. The same grammar serves the
// registry editor's later form, under its own first line.
std::vector<RegTextKey> ParseRegedit4(std::string_view text, std::string_view header = kRegedit4Header);

// A value as the registry editor stores it when it merges a file: data of
// the text types (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) that is not empty and
// does not end in a zero byte gets one more zero byte. So hex(1):61,62 is
// merged as 61,62,00: such data cannot be restored exactly from REGEDIT4.
RegValue AsTheEditorStoresIt(RegValue value);

// What names one key, or one value of a key, however the text spells it
// (letter case ignored, as the registry ignores it).
std::string RegTextKeyIdentity(const RegTextKey& key);
std::string RegTextValueIdentity(const RegTextKey& key, const RegTextValue& value);

// Counts the keys and values of a text once each, however often its blocks
// name them (letter case ignored, as the registry ignores it).
class DistinctRegTextCount {
 public:
  void AddKey(const RegTextKey& key);
  void AddValue(const RegTextKey& key, const RegTextValue& value);
  int Keys() const { return static_cast<int>(keys_.size()); }
  int Values() const { return static_cast<int>(values_.size()); }

 private:
  std::unordered_set<std::string> keys_;
  std::unordered_set<std::string> values_;
};

// What applying key blocks wrote, and what it could not (each failure with
// its line); a failure does not stop the rest. Keys and values are counted
// once each.
struct RegTextApplied {
  int keys = 0;    // written (created or opened)
  int values = 0;  // written
  int deleted_keys = 0;
  int deleted_values = 0;
  std::vector<RegTextError> failures;
};
enum class RegTextBytes { kAsWritten, kAsTheEditorStoresIt };

// Creates each key and sets, or deletes, its values; deletes [-path] keys.
// A key or value to delete that is gone already counts as done.
RegTextApplied ApplyRegText(Registry& registry, const std::vector<RegTextKey>& keys, RegTextBytes bytes);

// Applies the text to the registry as the registry editor merges a file
// (AsTheEditorStoresIt).
// Throws RegTextError when the text is malformed (before anything is
// changed), or the first failure of applying it.
void ImportRegText(Registry& registry, std::string_view text);
