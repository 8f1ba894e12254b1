#pragma once
// Where an open key really lives, as the system names it.
#include <windows.h>

// Whether the key lies in a user's classes: "\REGISTRY\USER\<sid>_Classes\..."
// (where Windows keeps HKEY_CURRENT_USER\Software\Classes) or
// "\REGISTRY\USER\<sid>\Software\Classes\...". For a key opened under
// HKEY_CLASSES_ROOT: whether the merged root took it from the user's
// classes.
bool IsKeyOfUserClasses(HKEY key);
