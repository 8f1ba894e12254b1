#pragma once
// A large hive written directly in the registry's file format, for the
// offline benchmark: hivex's writer copies a key's whole subkey list for
// every subkey it adds, which makes a class table of tens of thousands of
// keys impractical. Keys in fast-leaf-less index leaves ("li"), values in
// value lists, names in UTF-16 (or Latin-1 when they are ASCII), no
// security descriptors: enough for a reader, not for Windows.
#include <string>

#include "platform/code_page.h"
#include "platform/registry.h"

std::string HiveImage(Registry& from, RootKey root, const std::string& path, const CodePage& code_page);
