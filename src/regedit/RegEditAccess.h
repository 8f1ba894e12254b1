#pragma once
// The registry editor navigator's decisions, apart from the editor's
// windows: which way the platform is driven, how a key path splits into the
// tree's items, how items are matched, which keys are typed when the editor
// can only be typed at, and which row holds a value.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// GetVersionExA's answer: the platform code of the navigator (-1, 0 to 4).
// Codes 1 and 3 (Windows 95, 98, ME) read the tree through a shared file
// mapping; every other system through a page in the editor's process.
int GetOSKind(bool version_known, std::uint32_t platform_id, std::uint32_t major, std::uint32_t minor);
inline bool UsesSharedMapping(int os_kind) { return os_kind == 1 || os_kind == 3; }

// The names of the editor's tree items that lead to the key, root first;
// one trailing backslash is dropped.
std::vector<std::string> EditorItemNames(const std::string& key_path);

// The editor's tree of keys, item by item (0 = no item).
class EditorTree {
 public:
  using Item = std::uintptr_t;
  virtual ~EditorTree() = default;
  virtual Item Root() = 0;
  virtual Item FirstChild(Item item) = 0;
  virtual Item NextSibling(Item item) = 0;
  virtual std::optional<std::string> Text(Item item) = 0;
  // The editor fills an item's children when it is expanded.
  virtual void Expand(Item item) = 0;
  // Collapses the item, forgetting its children, and expands it again: a
  // key created since the editor last filled it appears.
  virtual void Refresh(Item item) = 0;
  virtual void Select(Item item) = 0;
};

// Walks the components down from parent, expanding each item on the way;
// names match without regard to letter case, an exact-case sibling first,
// and a level where nothing matches is searched once more after a refresh.
// Selects and returns the last component's item; 0 when one is missing.
EditorTree::Item FindChildPath(EditorTree& tree, const std::vector<std::string>& components, EditorTree::Item parent);

// The item's text and its ancestors' below the root, joined by backslashes.
std::string ItemPath(EditorTree& tree, EditorTree::Item item);

// The value rows of the editor's list: row 0 is the default value, shown
// as "(Default)"; a value really named "(Default)" has a row of its own.
// The row to select for a value's caption; none when there is no such row.
std::optional<int> ValueRow(const std::vector<std::string>& rows, const std::string& value);

// The keystroke fallback: collapse to the top, open it, then type each
// component, opening each key reached, with a pause between components
// (the editor joins characters typed close together into one search).
struct Keystroke {
  enum Kind { kLeft, kRight, kChar, kPause } kind;
  char character = 0;
  bool operator==(const Keystroke&) const = default;
};
std::vector<Keystroke> KeystrokesForPath(const std::string& key_path);
std::vector<Keystroke> KeystrokesForValue(const std::string& value);
