// Save as on trees of 1,000, 10,000 and 100,000 keys (or the sizes given),
// on the system registry and files: meant for a throwaway Wine prefix.
#include <windows.h>

#include <iostream>

#include "bench/save_bench.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/registry_win32.h"

int main(int argc, char** argv) {
  std::vector<std::size_t> sizes{1000, 10000, 100000};
  if (argc > 1) {
    sizes.clear();
    for (int i = 1; i < argc; ++i) sizes.push_back(std::stoul(argv[i]));
  }
  Win32Registry registry;
  Win32FileSystem files;
  std::vector<SaveFigures> rows;
  for (const std::size_t keys : sizes)
    rows.push_back(MeasureSave(registry, files, keys, files.TempFolder() + "tarnel-save-bench.reg", 3));
  files.DeleteFile(files.TempFolder() + "tarnel-save-bench.reg");
  PrintSaveTable(std::cout, "wine", rows);
  return 0;
}
