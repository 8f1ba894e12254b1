// Save as on trees of 1,000, 10,000 and 100,000 keys (or the sizes given),
// on the in-memory registry and files.
#include <iostream>

#include "bench/save_bench.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"

int main(int argc, char** argv) {
  std::vector<std::size_t> sizes{1000, 10000, 100000};
  if (argc > 1) {
    sizes.clear();
    for (int i = 1; i < argc; ++i) sizes.push_back(std::stoul(argv[i]));
  }
  std::vector<SaveFigures> rows;
  for (const std::size_t keys : sizes) {
    MemoryRegistry registry;
    MemoryFileSystem files;
    rows.push_back(MeasureSave(registry, files, keys, "C:\\results.reg", 3));
  }
  PrintSaveTable(std::cout, "memory", rows);
  return 0;
}
