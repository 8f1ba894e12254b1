#pragma once
// Where the key blocks of a REGEDIT4 document are: each header's line,
// found without regard to letter case, so that adding to a document of N
// keys costs the same for the first key as for the last; and which values
// each block holds, with the data last written, so that none is written
// twice with the same data.
#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>

#include "platform/registry.h"

class HeaderIndex {
 public:
  void Clear();
  std::optional<std::size_t> Find(const std::string& header) const;
  void Add(const std::string& header, std::size_t line);
  // count lines were inserted at the given line: the headers from there on
  // move down.
  void LinesInserted(std::size_t at, std::size_t count);
  // The data last written for the header's value of that name (letter case
  // ignored), if any; and noting data written.
  const RegValue* HeldValue(const std::string& header, const std::string& name) const;
  void AddValue(const std::string& header, const std::string& name, const RegValue& value);

 private:
  std::unordered_map<std::string, std::size_t> lines_;  // folded header -> its line
  std::size_t last_line_ = 0;                            // of the last header
  // folded header -> folded name -> data
  std::unordered_map<std::string, std::unordered_map<std::string, RegValue>> values_;
};
