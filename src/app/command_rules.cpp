#include "app/command_rules.h"

#include "app/value_list.h"

NodeCommandStates TreeSelectionRule(const SelectedNode& node) {
  const bool below_top = node.exists && node.level > 0;
  return {below_top, below_top && !node.has_children, below_top};
}

EditMenuStates EditMenuRule(ActiveControl active, const SelectedNode& node) {
  const bool below_top = node.exists && node.level > 0;
  EditMenuStates states;
  if (active == ActiveControl::kTree) {
    states.binding = DeleteBinding::kDeleteKey;
    states.delete_key = below_top;
  } else if (active == ActiveControl::kList) {
    states.binding = DeleteBinding::kDeleteValue;
  }
  states.copy_only_name = below_top;
  states.copy_key_name = below_top;
  return states;
}

ListPopupStates ListPopupRule(const std::optional<std::string>& selected_row, const TErrorClass* record) {
  ListPopupStates states;
  states.copy_name = states.copy_value = selected_row.has_value();
  if (selected_row && record && !record->FValueNames.empty())
    states.delete_value = RecordNamesValue(*record, *selected_row);
  return states;
}

bool IgnoreRule(ActiveControl active, const TErrorClass* record, const std::optional<std::string>& selected_row) {
  if (active == ActiveControl::kList) return ListPopupRule(selected_row, record).delete_value;
  return active == ActiveControl::kTree && record != nullptr;
}
