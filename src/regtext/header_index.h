#pragma once
// Where the key blocks of a REGEDIT4 document are: each header's line,
// found without regard to letter case, so that adding to a document of N
// keys costs the same for the first key as for the last; and which values
// each block holds, so that none is written twice.
#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>

class HeaderIndex {
 public:
  void Clear();
  std::optional<std::size_t> Find(const std::string& header) const;
  void Add(const std::string& header, std::size_t line);
  // count lines were inserted at the given line: the headers from there on
  // move down.
  void LinesInserted(std::size_t at, std::size_t count);
  // Whether the header's block holds a value of that name (letter case
  // ignored), and noting one written there.
  bool HoldsValue(const std::string& header, const std::string& name) const;
  void AddValue(const std::string& header, const std::string& name);

 private:
  std::unordered_map<std::string, std::size_t> lines_;  // folded header -> its line
  std::size_t last_line_ = 0;                            // of the last header
  std::unordered_map<std::string, std::unordered_set<std::string>> values_;  // folded header -> folded names
};
