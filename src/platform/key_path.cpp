#include "platform/key_path.h"

#include "platform/root_keys.h"

std::string KeyPath::FullName() const {
  const std::string root = RootKeyName(root_);
  return root.empty() ? root : JoinKeyPath(root, path_);
}

std::vector<std::string> KeyPath::Components() const {
  std::vector<std::string> components;
  if (path_.empty()) return components;
  std::size_t start = 0;
  for (;;) {
    const std::size_t slash = path_.find('\\', start);
    components.push_back(path_.substr(start, slash == std::string::npos ? std::string::npos : slash - start));
    if (slash == std::string::npos) return components;
    start = slash + 1;
  }
}

KeyPath KeyPath::Child(const std::string& name) const { return KeyPath(root_, JoinKeyPath(path_, name)); }

KeyPath KeyPath::Up(int levels) const {
  std::string path = path_;
  for (; levels > 0 && !path.empty(); --levels) {
    const std::size_t slash = path.rfind('\\');
    path.erase(slash == std::string::npos ? 0 : slash);
  }
  return KeyPath(root_, std::move(path));
}

std::string JoinKeyPath(const std::string& head, const std::string& tail) {
  if (head.empty()) return tail;
  if (tail.empty()) return head;
  return head + '\\' + tail;
}
