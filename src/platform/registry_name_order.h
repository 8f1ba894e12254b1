#pragma once
// Registry names compared the way the registry compares them: without regard
// to letter case, and ordered as the registry enumerates subkeys and values
// (by the lower-case Unicode code points of the name). Names are 8-bit text
// in the Windows-1252 code page.
#include <string>
#include <string_view>

// A byte string whose plain (unsigned) byte order is the registry's order of
// the names, and which is equal for two names exactly when the registry
// treats them as the same name.
std::string RegistryNameKey(std::string_view name);
