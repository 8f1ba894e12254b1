#include "regtext/header_index.h"

#include <algorithm>

#include "platform/case_fold.h"

void HeaderIndex::Clear() {
  lines_.clear();
  last_line_ = 0;
  values_.clear();
}

std::optional<std::size_t> HeaderIndex::Find(const std::string& header) const {
  const auto found = lines_.find(FoldCase(header));
  if (found == lines_.end()) return std::nullopt;
  return found->second;
}

void HeaderIndex::Add(const std::string& header, std::size_t line) {
  lines_.emplace(FoldCase(header), line);
  last_line_ = std::max(last_line_, line);
}

void HeaderIndex::LinesInserted(std::size_t at, std::size_t count) {
  // Values go into the last block nearly always: then nothing moves.
  if (count == 0 || lines_.empty() || at > last_line_) return;
  for (auto& [header, line] : lines_)
    if (line >= at) line += count;
  last_line_ += count;
}

const RegValue* HeaderIndex::HeldValue(const std::string& header, const std::string& name) const {
  const auto block = values_.find(FoldCase(header));
  if (block == values_.end()) return nullptr;
  const auto found = block->second.find(FoldCase(name));
  return found == block->second.end() ? nullptr : &found->second;
}

void HeaderIndex::AddValue(const std::string& header, const std::string& name, const RegValue& value) {
  values_[FoldCase(header)][FoldCase(name)] = value;
}
