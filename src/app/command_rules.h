#pragma once
// Which commands the selection allows: the parts of the window's state
// function that look at the tree's selected node and the list's rows.
#include <optional>
#include <string>

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
// A node below "My Computer" can be copied; deleted only without children.
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
// The list's commands: from the first selected row's caption, and the record
// the list shows.
ListPopupStates ListPopupRule(const std::optional<std::string>& selected_row, const TErrorClass* record);

// Ignore: on the tree, a node that carries a problem; on the list, a
// selected row that names one of the record's bad values.
bool IgnoreRule(ActiveControl active, const TErrorClass* record, const std::optional<std::string>& selected_row);
