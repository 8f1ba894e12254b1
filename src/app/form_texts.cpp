#include "app/form_texts.h"

namespace {

struct TextInfo {
  const char* component;
  const char* built_in;
};

// In the order of FormText.
constexpr TextInfo kTexts[kFormTextCount] = {
    {"Registry1", "File"},         {"Edit1", "Edit"},
    {"View1", "View"},             {"Options1", "Options"},
    {"Help1", "Help"},             {"language1", "Language.."},
    {"ListView1.Column0", "Name"}, {"ListView1.Column1", "Data"},
    {"Shortcut.Ctrl", "Ctrl"},     {"Shortcut.Shift", "Shift"},
    {"Shortcut.Del", "Del"},
};

CommandId ActionId(int action) { return static_cast<CommandId>(action); }

}  // namespace

FormTexts::FormTexts() {
  for (std::size_t i = 0; i < kFormTextCount; ++i) texts_[i] = kTexts[i].built_in;
}

ShortcutKeyNames FormTexts::KeyNames() const {
  return {Text(FormText::kKeyCtrl), Text(FormText::kKeyShift), Text(FormText::kKeyDel)};
}

int FormTexts::ActionCount() const { return static_cast<int>(kCommandCount); }

int FormTexts::ActionTag(int action) const { return CommandOf(ActionId(action)).tag; }

std::string FormTexts::ActionCaption(int action) const { return commands_.Caption(ActionId(action)); }

void FormTexts::SetActionCaption(int action, const std::string& caption) {
  commands_.SetCaption(ActionId(action), caption);
}

void FormTexts::SetActionHint(int action, const std::string& hint) { commands_.SetHint(ActionId(action), hint); }

void FormTexts::SetComponentCaption(const std::string& component, const std::string& caption) {
  for (std::size_t i = 0; i < kFormTextCount; ++i)
    if (component == kTexts[i].component) texts_[i] = caption;
}
