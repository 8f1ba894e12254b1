#pragma once
// What this process needs to know of 64-bit Windows to reach both halves of
// the registry and of the system folder, from either width.
#include <windows.h>

// 64-bit Windows: a 64-bit program, or a 32-bit one running under WOW64.
bool SystemHasTwoViews();
// The access flag a 32-bit program on 64-bit Windows opens keys with to
// see the 64-bit view, so that a path with Wow6432Node in it names the
// 32-bit view from both widths; 0 for a 64-bit program (that view is its
// own) and on 32-bit Windows.
REGSAM RegistryViewAccess();
// Whether this program is the 32-bit one on 64-bit Windows.
bool IsWow64Program();
