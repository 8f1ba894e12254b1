#pragma once
// Where an open key really lives, as the system names it.
#include <windows.h>

#include <optional>
#include <string>

// The key's full name in the system's namespace, such as
// "\REGISTRY\MACHINE\SOFTWARE\Classes\CLSID": the key it is, after every
// alias and link that led to it. Nothing when the system cannot say
// (Wine answers nothing for a predefined key's own handle).
std::optional<std::wstring> KeyObjectName(HKEY key);
// The key's own name as stored, letter case and all: the last name of the
// key the handle leads to, which a link's own name is not.
std::optional<std::wstring> KeyStoredName(HKEY key);
// Whether a key of that full name lies in a user's classes:
// "\REGISTRY\USER\<sid>_Classes\..." (where Windows keeps
// HKEY_CURRENT_USER\Software\Classes) or
// "\REGISTRY\USER\<sid>\Software\Classes\...". For a key opened under
// HKEY_CLASSES_ROOT: whether the merged root took it from the user's
// classes.
bool IsUserClassesName(std::wstring_view object_name);
bool IsKeyOfUserClasses(HKEY key);
// Whether the registry takes the two for one name: letter case aside, as
// its own comparison folds it.
bool SameRegistryName(std::wstring_view a, std::wstring_view b);
