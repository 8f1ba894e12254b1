#pragma once
// Which commands and menu entries the selection and the scan allow: the
// rules the main window applies when the tree's selection changes, when a
// context menu or the Edit menu opens, and when a scan starts and ends.
#include <optional>
#include <string>

#include "app/command_states.h"
#include "scan/Errors.h"

struct SelectedNode {
  bool exists = false;
  int level = 0;
  bool has_children = false;
};

struct NodeCommandStates {
  bool copy_only_name = false;
  bool delete_key = false;
  bool copy_key_name = false;
  bool operator==(const NodeCommandStates&) const = default;
};
// After the selection changed and before the tree's context menu opens: a
// node below "My Computer" can be copied; deleted only without children.
NodeCommandStates TreeSelectionRule(const SelectedNode& node);

enum class ActiveControl { kTree, kList, kOther };
// What Edit > Delete stands for while the Edit menu is open.
enum class DeleteBinding { kNone, kDeleteKey, kDeleteValue };

struct EditMenuStates {
  DeleteBinding binding = DeleteBinding::kNone;
  // Delete Key's state when the entry is bound to it (children not counted).
  bool delete_key = false;
  bool copy_only_name = false;
  bool copy_key_name = false;
  bool operator==(const EditMenuStates&) const = default;
};
EditMenuStates EditMenuRule(ActiveControl active, const SelectedNode& node);

struct ListPopupStates {
  bool copy_name = false;
  bool copy_value = false;
  bool delete_value = false;
  bool operator==(const ListPopupStates&) const = default;
};
// Before the list's context menu opens: the first selected row's caption,
// and the record the list shows.
ListPopupStates ListPopupRule(const std::optional<std::string>& selected_row, const TErrorClass* record);

// Ignore: on the tree, a node that carries a problem; on the list, a
// selected row that names one of the record's bad values.
bool IgnoreRule(ActiveControl active, const TErrorClass* record, const std::optional<std::string>& selected_row);

// A scan starts: no Start, no Delete All, Stop.
void ApplyScanStarted(CommandStates& states);
// A scan ended: Start, no Stop, Delete All when something was found.
void ApplyScanFinished(CommandStates& states, int tree_nodes);
