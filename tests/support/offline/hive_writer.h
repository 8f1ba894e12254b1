#pragma once
// Test hives: a key of a registry (with all below it) written as a new hive
// file through hivex, starting from the empty hive of the fixtures. Names
// and text are taken in the given code page and stored in UTF-16 (or
// Latin-1 where that holds them), as Windows stores them.
#include <string>

#include "platform/code_page.h"
#include "platform/registry.h"

void WriteHive(const std::string& file, Registry& from, RootKey root, const std::string& path,
               const CodePage& code_page);
// The whole content of a file, or empty when it cannot be read.
std::string FileBytes(const std::string& path);
