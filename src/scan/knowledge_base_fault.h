#pragma once
// What keeps a knowledge base from being scanned with: a scan with a file
// that cannot be read, lacks the rule section or holds no rule in it that
// the scanner runs would find nothing and look like a clean registry.
#include <string>

class FileSystem;

// "cannot read the knowledge base PATH", "the knowledge base PATH has no
// section [PATHS1]", "... has no rules in [PATHS1]" or, when the scanner
// would skip every entry, "... has no usable rule in [PATHS1]" and the first
// entry; empty when a scan can use the file.
std::string KnowledgeBaseFault(FileSystem& files, const std::string& path);
