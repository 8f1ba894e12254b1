#pragma once
// Cells of a list view in report style, written and read by row and column.
#include <windows.h>

#include <string>
#include <vector>

void AddListColumn(HWND list, int column, const std::string& heading, int width);
// Appends a row whose first cell holds the text; returns its number.
int AppendListRow(HWND list, const std::string& text);
void SetListCell(HWND list, int row, int column, const std::string& text);
std::vector<int> SelectedListRows(HWND list);
