// The benchmark on the system registry and file system, meant for a
// throwaway Wine prefix: it writes the synthetic registry into the
// prefix's own registry and the program files it names onto its drive C:,
// then measures. One size per prefix: what was written stays.
//
// With --generate it only writes and ends; a later run without it measures.
// In between, the Wine server can be restarted so that it has saved the new
// registry to disk before the measurement, not during it.
#include <windows.h>
#undef SearchPath
#undef DeleteFile

#include <iostream>

#include "bench/bench_run.h"
#include "platform/memory_registry.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/registry_win32.h"

namespace {

// Creates the file's missing folders, then the file.
bool CreateProgramFile(FileSystem& files, const std::string& path) {
  for (std::size_t slash = path.find('\\', 3); slash != std::string::npos; slash = path.find('\\', slash + 1))
    CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
  return files.FileExists(path) || files.WriteFileAtomic(path, "");
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  const bool generate_only = std::erase(args, "--generate") > 0;
  const ParsedBenchOptions parsed = ParseBenchOptions(args);
  if (!parsed.error.empty() || parsed.options.sizes.size() != 1) {
    std::cerr << "TarnelBench: " << (parsed.error.empty() ? "one size per prefix" : parsed.error) << "\n\n"
              << kBenchUsage;
    return 2;
  }
  Win32Registry registry;
  Win32FileSystem files;
  if (!files.ReadFile(parsed.options.knowledge_base)) {
    std::cerr << "TarnelBench: cannot read " << parsed.options.knowledge_base << '\n';
    return 2;
  }
  const SyntheticShape shape{.keys = parsed.options.sizes.front(), .stale_percent = parsed.options.stale_percent};
  if (!generate_only) {
    // The same shape gives the same registry: regenerated in memory, it
    // tells what was written and planted.
    MemoryRegistry written;
    const SyntheticRegistry generated = GenerateRegistry(written, shape);
    if (parsed.options.header) PrintHeader(std::cout);
    const BenchFigures figures = MeasureScan("wine", registry, files, parsed.options.knowledge_base, generated,
                                             parsed.options.repeat, parsed.options.min_ms);
    PrintRow(std::cout, figures);
    return figures.error.empty() ? 0 : 1;
  }
  const SyntheticRegistry generated = GenerateRegistry(registry, shape);
  for (const std::string& path : generated.program_files) {
    if (!CreateProgramFile(files, path)) {
      std::cerr << "TarnelBench: cannot create " << path << '\n';
      return 2;
    }
  }
  for (const std::string& name : generated.system_files) {
    if (!files.SearchPath(name)) std::cerr << "TarnelBench: warning: no system file " << name << '\n';
  }
  return 0;
}
