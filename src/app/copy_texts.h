#pragma once
// What the copy commands of the value list put on the clipboard.
#include <optional>
#include <string>
#include <vector>

// Copy Name: the selected rows' names in list order, one a line, CR LF
// between them and none after the last.
std::string CopyNamesText(const std::vector<std::string>& selected_names);

// Copy Value: with exactly one row in the list, that row's Data cell, or
// nothing (the clipboard stays as it is) when it has none; otherwise the
// Data cells of the selected rows, CR LF between them, rows without one
// adding nothing, and the text put on the clipboard even when empty.
std::optional<std::string> CopyValuesText(int rows_in_list, const std::vector<std::optional<std::string>>& selected_data);
