#pragma once
// The seven predefined root keys: names as the result tree and the
// knowledge base spell them, handles as Windows numbers them.
#include <string>

#include "platform/registry.h"

inline constexpr RootKey kHkeyClassesRoot = 0x80000000u;
inline constexpr RootKey kHkeyCurrentUser = 0x80000001u;
inline constexpr RootKey kHkeyLocalMachine = 0x80000002u;
inline constexpr RootKey kHkeyUsers = 0x80000003u;
inline constexpr RootKey kHkeyPerformanceData = 0x80000004u;
inline constexpr RootKey kHkeyCurrentConfig = 0x80000005u;
inline constexpr RootKey kHkeyDynData = 0x80000006u;

// The name of a root key handle; empty for any other handle.
std::string RootKeyName(RootKey root);
// The handle whose name equals the text exactly (letter case counting); 0
// when none does.
RootKey RootKeyFromName(const std::string& name);
// RootKeyFromName of the text before the first backslash, or of the whole
// text when it has none.
RootKey RootKeyOfPath(const std::string& path);
