#include "app/command_texts.h"

CommandTexts::CommandTexts() {
  for (const Command& command : Commands()) {
    SetCaption(command.id, command.caption);
    SetHint(command.id, command.hint);
  }
}

std::string CommandTexts::Tooltip(CommandId id) const {
  return WithoutAccelerator(Hint(id).empty() ? Caption(id) : Hint(id));
}

std::string WithoutAccelerator(const std::string& caption) {
  std::string text;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && ++i == caption.size()) break;
    text += caption[i];
  }
  return text;
}
