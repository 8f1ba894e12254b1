#pragma once
// Registry values that a REGEDIT4 backup must bring back byte for byte:
// every type, with names and data that need escaping, a hex form or
// wrapping. Names a key may carry too, for subkeys.
#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"

using NamedRegValue = std::pair<std::string, RegValue>;

std::vector<NamedRegValue> HostileValues();
// Text values whose data lacks its final zero: written exactly, but the
// registry editor adds the zero when it merges them.
std::vector<NamedRegValue> UnterminatedTextValues();
std::vector<std::string> HostileKeyNames();
