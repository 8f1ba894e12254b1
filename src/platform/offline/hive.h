#pragma once
// One registry hive file, opened read-only through hivex. Opening walks the
// whole key tree once: it counts keys and values, and a damaged tree (a
// list that cannot be read, a key listed twice or under itself) makes the
// hive unusable as a whole, so that no later look-up meets it. Names are
// kept in UTF-16 as stored; values are read on demand.
#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"

struct hive_h;

// Why a hive cannot be used; the text names the file.
class HiveError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Hive {
 public:
  using NodeIndex = std::size_t;
  static constexpr NodeIndex kRoot = 0;

  struct Key {
    std::optional<std::u16string> name;  // none when it is no valid text
    std::vector<NodeIndex> subkeys;      // in the registry's order
    std::size_t handle = 0;              // hivex's node
  };
  struct NamedValue {
    std::optional<std::u16string> name;
    std::size_t handle = 0;
  };

  // Throws HiveError naming the file (or what it is shown as) when it is
  // no readable hive.
  explicit Hive(const std::string& file, const std::string& shown_as = "");
  ~Hive();
  Hive(const Hive&) = delete;
  Hive& operator=(const Hive&) = delete;

  const std::string& File() const { return file_; }
  const Key& At(NodeIndex node) const { return keys_[node]; }
  // The subkey of that name (letter case ignored).
  std::optional<NodeIndex> Subkey(NodeIndex node, std::u16string_view name) const;
  // The key at a backslash-separated path of UTF-16 names below the root.
  std::optional<NodeIndex> Find(const std::vector<std::u16string>& components) const;
  // Values in stored order; empty when the list cannot be read.
  std::vector<NamedValue> Values(NodeIndex node) const;
  // The value's type and bytes as stored; none when they cannot be read.
  std::optional<RegValue> Read(std::size_t value_handle) const;

  std::size_t KeyCount() const { return keys_.size(); }
  std::size_t ValueCount() const { return value_count_; }

 private:
  void Walk();
  // The order every registry of this program lists names in: by their
  // lower-case code points (registry_name_order.h).
  void SortInRegistryOrder(std::vector<NodeIndex>& subkeys) const;

  std::string file_;
  hive_h* handle_ = nullptr;
  std::vector<Key> keys_;
  std::map<std::pair<NodeIndex, std::u16string>, NodeIndex> by_folded_name_;
  std::size_t value_count_ = 0;
};
