// The benchmark on an offline SOFTWARE hive: the synthetic registry stored
// as a hive and scanned through the hive registry, beside the same registry
// in memory, with the same in-memory files, so that the rows differ only in
// the registry read. Also the time and memory of opening the hive.
//   tarnel_offline_bench KNOWLEDGE_BASE FOLDER [KEYS...]
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "bench/bench_run.h"
#include "bench/hive_image.h"
#include "bench/memory_meter.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"
#include "platform/offline/hive.h"
#include "platform/offline/hive_registry.h"

namespace {

constexpr const char* kKnowledgeBaseInMemory = "C:\\Program Files\\Tarnel\\Knowbase.ini";
constexpr RootKey kLocalMachine = 0x80000002u;

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: tarnel_offline_bench KNOWLEDGE_BASE FOLDER [KEYS...]\n";
    return 2;
  }
  std::ifstream file(argv[1], std::ios::binary);
  std::ostringstream knowledge_base;
  knowledge_base << file.rdbuf();
  std::vector<std::size_t> sizes;
  for (int i = 3; i < argc; ++i) sizes.push_back(std::stoul(argv[i]));
  if (sizes.empty()) sizes.push_back(100000);
  const Utf8CodePage utf8;
  PrintHeader(std::cout);
  for (const std::size_t size : sizes) {
    // Both registries as an offline machine shows them: the classes root
    // merged from the machine's classes (no user's here).
    MemoryRegistry memory;
    memory.MergeClassesRoot();
    memory.SetTwoViews(true);
    const SyntheticRegistry generated = GenerateRegistry(memory, {.keys = size});
    MemoryFileSystem files;
    files.SetSixtyFourBitWindows(false);
    AddReferencedFiles(files, generated);
    files.AddFile(kKnowledgeBaseInMemory, knowledge_base.str());
    PrintRow(std::cout, MeasureScan("memory", memory, files, kKnowledgeBaseInMemory, generated, 3, 0));

    const std::string hive_file = std::string(argv[2]) + "/SOFTWARE-" + std::to_string(size);
    std::ofstream(hive_file, std::ios::binary) << HiveImage(memory, kLocalMachine, "Software", utf8);
    memory_meter::StartPhase();
    const auto start = std::chrono::steady_clock::now();
    auto hive = std::make_shared<const Hive>(hive_file);
    const double open_ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::cerr << "hive of " << hive->KeyCount() << " keys, " << hive->ValueCount() << " values opened in " << open_ms
              << " ms, " << memory_meter::PhasePeak() / 1024 << " KiB of heap; the file ("
              << std::filesystem::file_size(hive_file) / 1024 << " KiB) is mapped by hivex\n";
    HiveRegistry offline(utf8);
    offline.Mount(kLocalMachine, "Software", hive);
    offline.SetTwoViews(true);
    offline.MergeClassesRoot();
    PrintRow(std::cout, MeasureScan("hive", offline, files, kKnowledgeBaseInMemory, generated, 3, 0));
  }
  return 0;
}
