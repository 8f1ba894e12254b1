#pragma once
// The files of one folder whose names match a pattern.
#include <string>
#include <vector>

// Full paths; folder ends with a backslash. None when it cannot be listed.
std::vector<std::string> FilesInFolder(const std::string& folder, const std::string& pattern);
