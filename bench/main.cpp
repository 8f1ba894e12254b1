// The benchmark on the in-memory registry and file system: the scan
// engine's own cost, without the platform's.
#include <fstream>
#include <iostream>
#include <sstream>

#include "bench/bench_run.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"

namespace {

constexpr const char* kKnowledgeBaseInMemory = "C:\\Program Files\\Tarnel\\Knowbase.ini";

}  // namespace

int main(int argc, char** argv) {
  const ParsedBenchOptions parsed = ParseBenchOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.error.empty()) {
    std::cerr << "tarnel_bench: " << parsed.error << "\n\n" << kBenchUsage;
    return 2;
  }
  std::ifstream file(parsed.options.knowledge_base, std::ios::binary);
  std::ostringstream knowledge_base;
  knowledge_base << file.rdbuf();
  if (!file) {
    std::cerr << "tarnel_bench: cannot read " << parsed.options.knowledge_base << '\n';
    return 2;
  }
  if (parsed.options.header) PrintHeader(std::cout);
  for (const std::size_t size : parsed.options.sizes) {
    // Shaped like 64-bit Windows: each rule whose keys the system keeps
    // apart per view also walks the 32-bit view, and a file is looked for
    // in both system folders. The classes root is mirrored, as the system
    // shows it, rather than merged by the in-memory registry, whose merging
    // would be measured instead of the scan's work.
    MemoryRegistry registry;
    registry.SetTwoViews(true);
    MemoryFileSystem files;
    files.SetSixtyFourBitWindows(false);
    const SyntheticRegistry generated = GenerateRegistry(
        registry, {.keys = size, .mirror_classes_root = true, .stale_percent = parsed.options.stale_percent});
    AddReferencedFiles(files, generated);
    files.AddFile(kKnowledgeBaseInMemory, knowledge_base.str());
    const BenchFigures figures = MeasureScan("memory", registry, files, kKnowledgeBaseInMemory, generated,
                                             parsed.options.repeat, parsed.options.min_ms);
    PrintRow(std::cout, figures);
    if (!figures.error.empty()) return 1;
  }
  return 0;
}
