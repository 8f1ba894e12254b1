#pragma once
// The key headers of a registry file in either form ("[HKEY_...]" lines, as
// UTF-8 text for the later form), in the file's order.
#include <string>
#include <string_view>
#include <vector>

std::vector<std::string> RegFileHeaders(std::string_view bytes);
