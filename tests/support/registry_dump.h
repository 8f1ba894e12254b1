#pragma once
// Every key and value below some roots, as text, for comparing a registry
// before and after; but the program's own settings, which its window
// writes when it closes.
#include <map>
#include <string>
#include <vector>

#include "platform/registry.h"

using RegistryDump = std::map<std::string, std::string>;  // key path -> its values

RegistryDump DumpRegistry(Registry& registry, const std::vector<RootKey>& roots);
