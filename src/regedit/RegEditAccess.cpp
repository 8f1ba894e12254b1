#include "regedit/RegEditAccess.h"

#include "platform/case_fold.h"

namespace {

constexpr std::uint32_t kWin32s = 0, kWin32Windows = 1, kWin32Nt = 2;
constexpr int kCollapseKeys = 30;

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The children of parent whose text matches, the exact-case one first.
EditorTree::Item MatchingChild(EditorTree& tree, EditorTree::Item parent, const std::string& name) {
  EditorTree::Item folded = 0;
  for (EditorTree::Item child = tree.FirstChild(parent); child; child = tree.NextSibling(child)) {
    const std::optional<std::string> text = tree.Text(child);
    if (!text) continue;
    if (*text == name) return child;
    if (!folded && EqualsNoCase(*text, name)) folded = child;
  }
  return folded;
}

void TypeText(std::vector<Keystroke>& keys, const std::string& text) {
  for (char c : text) keys.push_back({Keystroke::kChar, Upper(c)});
}

}  // namespace

int GetOSKind(bool version_known, std::uint32_t platform_id, std::uint32_t major, std::uint32_t minor) {
  if (!version_known) return -1;
  if (platform_id == kWin32s) return 0;
  if (platform_id == kWin32Windows) return major < 4 || (major == 4 && minor == 0) ? 1 : 3;
  if (platform_id == kWin32Nt) {
    if (major <= 4) return 2;
    if (major == 5) return 4;
  }
  return -1;
}

std::vector<std::string> EditorItemNames(const std::string& key_path) {
  std::string path = key_path;
  if (!path.empty() && path.back() == '\\') path.pop_back();
  std::vector<std::string> components;
  std::size_t start = 0;
  for (;;) {
    const std::size_t slash = path.find('\\', start);
    components.push_back(path.substr(start, slash - start));
    if (slash == std::string::npos) return components;
    start = slash + 1;
  }
}

EditorTree::Item FindChildPath(EditorTree& tree, const std::vector<std::string>& components, EditorTree::Item parent) {
  EditorTree::Item item = parent;
  for (const std::string& name : components) {
    tree.Expand(item);
    EditorTree::Item child = MatchingChild(tree, item, name);
    if (!child) {
      tree.Refresh(item);
      child = MatchingChild(tree, item, name);
    }
    if (!child) return 0;
    item = child;
  }
  tree.Select(item);
  return item;
}

// The tree answers no parent query: a depth-first search from the root
// keeps the trail of ancestors.
std::string ItemPath(EditorTree& tree, EditorTree::Item item) {
  struct Frame {
    EditorTree::Item item;
    EditorTree::Item next_child;
  };
  std::vector<Frame> stack{{tree.Root(), tree.FirstChild(tree.Root())}};
  while (!stack.empty()) {
    if (stack.back().item == item) {
      std::string path;
      for (std::size_t i = 1; i < stack.size(); ++i) {
        if (i > 1) path += '\\';
        path += tree.Text(stack[i].item).value_or("");
      }
      return path;
    }
    Frame& top = stack.back();
    if (!top.next_child) {
      stack.pop_back();
      continue;
    }
    const EditorTree::Item child = top.next_child;
    top.next_child = tree.NextSibling(child);
    stack.push_back({child, tree.FirstChild(child)});
  }
  return "";
}

std::optional<int> ValueRow(const std::vector<std::string>& rows, const std::string& value) {
  if (value == "(Default)") return rows.empty() ? std::nullopt : std::optional<int>(0);
  std::optional<int> folded;
  for (std::size_t row = 1; row < rows.size(); ++row) {
    if (rows[row] == value) return static_cast<int>(row);
    if (!folded && EqualsNoCase(rows[row], value)) folded = static_cast<int>(row);
  }
  return folded;
}

std::vector<Keystroke> KeystrokesForPath(const std::string& key_path) {
  std::vector<Keystroke> keys(kCollapseKeys, Keystroke{Keystroke::kLeft});
  keys.push_back({Keystroke::kRight});
  const std::vector<std::string> components = EditorItemNames(key_path);
  for (std::size_t i = 0; i < components.size(); ++i) {
    if (i > 0) {
      keys.push_back({Keystroke::kRight});
      keys.push_back({Keystroke::kPause});
    }
    TypeText(keys, components[i]);
  }
  return keys;
}

std::vector<Keystroke> KeystrokesForValue(const std::string& value) {
  std::vector<Keystroke> keys;
  TypeText(keys, value);
  return keys;
}
