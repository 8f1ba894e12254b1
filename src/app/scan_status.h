#pragma once
// What the status bar says of a scan that ended early: its tree holds only
// part of the problems, and must not pass for a clean registry.
#include <string>

#include "scan/result_tree.h"

class TLangv;

// "Scan stopped: N problems found so far", in the interface's language.
std::string ScanStoppedText(const TLangv& texts, const ResultTree& results);
