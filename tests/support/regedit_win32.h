#pragma once
// The system's registry editor merging a file, as a user's double click
// does: "regedit /s FILE", waited for. It reports nothing and always exits
// 0, so callers read the registry back.
#include <string>

void MergeWithRegedit(const std::string& file);
