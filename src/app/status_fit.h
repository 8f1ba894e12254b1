#pragma once
// A status text that is wider than its panel gives up the middle of the key
// path it names, never the words around it: "Deleted the key
// HKEY_CURRENT_USER\Soft...\App.exe" keeps its verb and its last key.
#include <functional>
#include <string>

// The text as wide as fits says it fits: the path (from "HKEY_" to ": " or
// the end) loses characters from its middle, replaced by "...", as few as
// fitting takes. A text without a path, or that does not fit even with
// nothing of the path left but "...", comes back shortened as far as it
// goes, for the drawing to cut at its end.
std::u16string FitStatusText(const std::u16string& text, const std::function<bool(const std::u16string&)>& fits);
