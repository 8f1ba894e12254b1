#pragma once
// The captions and hints the commands show now: the built-in English texts
// until a language replaces them.
#include <array>
#include <string>

#include "app/commands.h"

class CommandTexts {
 public:
  CommandTexts();

  const std::string& Caption(CommandId id) const { return captions_[IndexOf(id)]; }
  const std::string& Hint(CommandId id) const { return hints_[IndexOf(id)]; }
  void SetCaption(CommandId id, std::string caption) { captions_[IndexOf(id)] = std::move(caption); }
  void SetHint(CommandId id, std::string hint) { hints_[IndexOf(id)] = std::move(hint); }

  // A tool button's tooltip: the hint, or the caption when the command has
  // no hint, without accelerator marks (a language's hints are captions).
  std::string Tooltip(CommandId id) const;

 private:
  std::array<std::string, kCommandCount> captions_;
  std::array<std::string, kCommandCount> hints_;
};

// The caption without "&" marks ("&&" stays one "&").
std::string WithoutAccelerator(const std::string& caption);
