#pragma once
// One benchmark measurement: the raw walk and the scan with the knowledge
// base over one registry, in one process, and the table they are printed
// in. The table's columns stay as they are so that runs can be compared.
#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "bench/synthetic_registry.h"
#include "platform/files.h"
#include "platform/registry.h"

struct BenchOptions {
  std::vector<std::size_t> sizes = {10000, 100000, 700000};
  std::string knowledge_base;  // as the back end's file system names it
  int repeat = 3;              // each phase runs this often; the fastest counts
  double min_ms = 0;           // and on until both phases together took this long
  unsigned stale_percent = SyntheticShape{}.stale_percent;
  bool header = true;
};

struct ParsedBenchOptions {
  BenchOptions options;
  std::string error;  // empty when the command line is valid
};

ParsedBenchOptions ParseBenchOptions(const std::vector<std::string>& args);
extern const char* const kBenchUsage;

struct BenchFigures {
  std::string back_end;
  std::size_t keys = 0;           // keys and values written by the generator
  std::size_t values = 0;
  std::size_t keys_checked = 0;   // keys the rules examine, both views
  std::size_t walk_lookups = 0;   // file searches and folder checks of the raw walk
  double walk_ms = 0;
  double scan_ms = 0;
  std::size_t walk_peak_kib = 0;  // heap working set of the phase
  std::size_t scan_peak_kib = 0;
  std::size_t problems = 0;       // found by the scan
  std::size_t planted = 0;
  std::size_t missed = 0;         // planted but not found
  std::size_t scan_lookups = 0;   // file searches and folder checks of the scan
  std::size_t repeated_searches = 0;  // searches of the scan for a name searched before
  std::size_t handoffs = 0;       // the scan's synchronous hand-offs to the UI thread
  double handoff_ms = 0;          // its time in them, in the fastest scan
  // Empty unless the walk did not read what the scan read: then the times
  // compare different work and are no figure.
  std::string error;
};

// files: where the scanner reads the knowledge base and looks files up.
BenchFigures MeasureScan(const std::string& back_end, Registry& registry, FileSystem& files,
                         const std::string& knowledge_base, const SyntheticRegistry& generated, int repeat,
                         double min_ms);

// The header is a line of what each column covers, each starting with
// "#", then the column names.
void PrintHeader(std::ostream& out);
void PrintRow(std::ostream& out, const BenchFigures& figures);
