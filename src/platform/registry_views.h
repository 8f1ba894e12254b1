#pragma once
// The two registry views of 64-bit Windows, as every program can name them.
// The system keeps some keys apart per view: the 32-bit programs' copy of
// such a key lies under a "Wow6432Node" key, and every program, of either
// width, reaches that copy by the path with Wow6432Node in it (the
// registry editor shows and merges it there). The other keys are shared:
// one key, seen alike from both views.
#include <optional>
#include <string>

#include "platform/registry.h"

// The path of the 32-bit view's copy of a key of the 64-bit view (path
// below the root, as the 64-bit view names it); none when the key is shared
// by both views or the path names the 32-bit view already. A path whose
// deciding components are wildcards ("*") counts as shared.
std::optional<std::string> ThirtyTwoBitViewPath(RootKey root, const std::string& path);

// Which programs read a key of the registry: the 32-bit view's copy (a path
// with Wow6432Node in it) 32-bit ones, the native view's copy of a key kept
// apart per view native ones, and a key both views share programs of
// either width. A registry with one view has native programs alone. Path
// below the root.
enum class KeyView { kNative, kThirtyTwoBit, kShared };
KeyView ViewOfKey(Registry& registry, RootKey root, const std::string& path);
