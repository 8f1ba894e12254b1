#include "platform/offline/hive.h"

#include <hivex.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <unordered_set>

#include "platform/code_page.h"
#include "platform/offline/hive_names.h"

namespace {

// What hivex hands out is malloc'ed.
struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Owned = std::unique_ptr<T, FreeDeleter>;

std::optional<std::u16string> Utf16Name(char* utf8) {
  const Owned<char> owned(utf8);
  if (!owned) return std::nullopt;
  return Utf8CodePage().ToWide(owned.get());
}

// Windows refuses keys nested deeper than this.
constexpr std::size_t kDeepestLevel = 512;

}  // namespace

Hive::Hive(const std::string& file, const std::string& shown_as) : file_(shown_as.empty() ? file : shown_as) {
  // No write flag: hivex opens the file read-only and maps it read-only.
  handle_ = hivex_open(file.c_str(), 0);
  if (!handle_) throw HiveError(file_ + ": cannot be read as a registry hive (" + std::strerror(errno) + ")");
  try {
    Walk();
  } catch (...) {
    hivex_close(handle_);
    throw;
  }
}

Hive::~Hive() { hivex_close(handle_); }

void Hive::Walk() {
  const hive_node_h root = hivex_root(handle_);
  if (root == 0) throw HiveError(file_ + ": damaged (no root key)");
  std::unordered_set<hive_node_h> seen{root};
  keys_.push_back({std::u16string(), {}, root});
  struct Pending {
    NodeIndex index;
    std::size_t level;
  };
  std::vector<Pending> pending{{kRoot, 0}};
  while (!pending.empty()) {
    const Pending at = pending.back();
    pending.pop_back();
    const hive_node_h node = keys_[at.index].handle;
    errno = 0;
    const std::size_t values = hivex_node_nr_values(handle_, node);
    if (values == 0 && errno != 0) throw HiveError(file_ + ": damaged (a value list cannot be read)");
    value_count_ += values;
    const Owned<hive_node_h> children(hivex_node_children(handle_, node));
    if (!children) throw HiveError(file_ + ": damaged (a subkey list cannot be read: " + std::strerror(errno) + ")");
    if (children.get()[0] != 0 && at.level + 1 >= kDeepestLevel)
      throw HiveError(file_ + ": damaged (keys nested deeper than " + std::to_string(kDeepestLevel) + " levels)");
    for (const hive_node_h* child = children.get(); *child != 0; ++child) {
      if (!seen.insert(*child).second) throw HiveError(file_ + ": damaged (a key is listed twice or under itself)");
      const NodeIndex index = keys_.size();
      keys_.push_back({Utf16Name(hivex_node_name(handle_, *child)), {}, *child});
      keys_[at.index].subkeys.push_back(index);
      if (keys_[index].name) by_folded_name_.emplace(std::pair{at.index, FoldName(*keys_[index].name)}, index);
      pending.push_back({index, at.level + 1});
    }
    SortInRegistryOrder(keys_[at.index].subkeys);
  }
}

void Hive::SortInRegistryOrder(std::vector<NodeIndex>& subkeys) const {
  std::stable_sort(subkeys.begin(), subkeys.end(), [this](NodeIndex a, NodeIndex b) {
    const std::optional<std::u16string>& first = keys_[a].name;
    const std::optional<std::u16string>& second = keys_[b].name;
    if (!first || !second) return first.has_value() && !second.has_value();
    return FoldName(*first) < FoldName(*second);
  });
}

std::optional<Hive::NodeIndex> Hive::Subkey(NodeIndex node, std::u16string_view name) const {
  const auto found = by_folded_name_.find({node, FoldName(name)});
  if (found == by_folded_name_.end()) return std::nullopt;
  return found->second;
}

std::optional<Hive::NodeIndex> Hive::Find(const std::vector<std::u16string>& components) const {
  NodeIndex node = kRoot;
  for (const std::u16string& component : components) {
    const std::optional<NodeIndex> next = Subkey(node, component);
    if (!next) return std::nullopt;
    node = *next;
  }
  return node;
}

std::vector<Hive::NamedValue> Hive::Values(NodeIndex node) const {
  std::vector<NamedValue> named;
  const Owned<hive_value_h> values(hivex_node_values(handle_, keys_[node].handle));
  if (!values) return named;
  for (const hive_value_h* value = values.get(); *value != 0; ++value)
    named.push_back({Utf16Name(hivex_value_key(handle_, *value)), *value});
  return named;
}

std::optional<RegValue> Hive::Read(std::size_t value_handle) const {
  // A hive may hold any 32-bit type, beyond the values of hivex's enum.
  static_assert(sizeof(hive_type) == sizeof(std::uint32_t));
  std::uint32_t type = 0;
  std::size_t length = 0;
  const Owned<char> data(hivex_value_value(handle_, value_handle, reinterpret_cast<hive_type*>(&type), &length));
  if (!data) return std::nullopt;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.get());
  return RegValue{type, std::vector<std::uint8_t>(bytes, bytes + length)};
}
