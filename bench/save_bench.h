#pragma once
// Save as on trees of a given number of keys: the results file of one
// problem on the tree's top key, against a raw read of the same keys and
// values, so that the cost of the journal itself shows.
#include <cstddef>
#include <ostream>
#include <string>

#include "platform/files.h"
#include "platform/registry.h"

struct SaveFigures {
  std::size_t keys = 0;
  double read_ms = 0;  // every key opened, every name listed, every value read
  double save_ms = 0;  // the results file written by the journal
};

// Plants a tree of about `keys` keys (three values each) under
// HKEY_CURRENT_USER\Software\TarnelSaveBench, measures (best of `repeat`),
// writes the file to `file` and removes the tree.
SaveFigures MeasureSave(Registry& registry, FileSystem& files, std::size_t keys, const std::string& file,
                        int repeat);
void PrintSaveTable(std::ostream& out, const std::string& back_end, const std::vector<SaveFigures>& rows);
