#pragma once
// Readable test failures for registry values: "type 1: 61 62 00".
#include <ostream>

#include "platform/registry.h"

void PrintTo(const RegValue& value, std::ostream* out);
