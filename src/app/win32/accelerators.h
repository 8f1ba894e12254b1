#pragma once
// The keyboard shortcuts of the command table as an accelerator table.
#include "app/win32/gdi.h"

UniqueAccelerators MakeCommandAccelerators();
