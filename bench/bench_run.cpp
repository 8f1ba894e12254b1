#include "bench/bench_run.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <set>

#include "bench/counting_files.h"
#include "bench/memory_meter.h"
#include "bench/raw_walk.h"
#include "bench/timing_ui_thread.h"
#include "cli/console_scan_view.h"
#include "platform/queued_ui_thread.h"
#include "scan/key_paths.h"
#include "scan/verefy.h"

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define BENCH_PHASE_START() CALLGRIND_ZERO_STATS
#define BENCH_PHASE_END(label) CALLGRIND_DUMP_STATS_AT((label).c_str())
#else
#define BENCH_PHASE_START()
#define BENCH_PHASE_END(label) static_cast<void>(label)
#endif

const char* const kBenchUsage =
    "Usage: tarnel_bench --knowbase FILE [--sizes N,N,...] [--repeat R] [--min-ms T]\n"
    "                    [--stale P] [--no-header]\n"
    "\n"
    "Generates a synthetic registry of about N keys for each size, shaped like\n"
    "64-bit Windows 11, then runs the raw walk (what the scan reads, both\n"
    "registry views, with the same file look-ups; no checks) and the scan\n"
    "with the knowledge base FILE over it, each R times and on until both\n"
    "together took T ms (at most 100 runs; small registries need many runs for\n"
    "a stable fastest time), and prints one row per size with the fastest\n"
    "times. P percent of the references name nothing (default 3): each is a\n"
    "problem for the scan to find. Under callgrind, each phase of each size is\n"
    "dumped on its own (\"walk N\", \"scan N\"). A walk whose file look-ups\n"
    "differ from the scan's is an error (exit code 1).\n"
    "\n"
    "TarnelBench.exe, on the system registry, takes one size per prefix, and\n"
    "--generate: write that registry and its program files, measure nothing.\n";

ParsedBenchOptions ParseBenchOptions(const std::vector<std::string>& args) {
  ParsedBenchOptions parsed;
  auto fail = [&](std::string error) {
    parsed.error = std::move(error);
    return parsed;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--no-header") {
      parsed.options.header = false;
      continue;
    }
    if (i + 1 >= args.size()) return fail(arg + ": unknown argument or missing value");
    const std::string& value = args[++i];
    if (arg == "--knowbase") {
      parsed.options.knowledge_base = value;
    } else if (arg == "--repeat") {
      parsed.options.repeat = std::atoi(value.c_str());
      if (parsed.options.repeat < 1) return fail("--repeat needs a positive number");
    } else if (arg == "--min-ms") {
      parsed.options.min_ms = std::atof(value.c_str());
      if (parsed.options.min_ms < 0) return fail("--min-ms needs a number of milliseconds");
    } else if (arg == "--stale") {
      const int percent = std::atoi(value.c_str());
      if (value.empty() || percent > 100 || value.find_first_not_of("0123456789") != std::string::npos)
        return fail("--stale needs a percentage from 0 to 100");
      parsed.options.stale_percent = static_cast<unsigned>(percent);
    } else if (arg == "--sizes") {
      parsed.options.sizes.clear();
      for (std::size_t start = 0; start <= value.size();) {
        const std::size_t end = std::min(value.find(',', start), value.size());
        const long long size = std::atoll(value.substr(start, end - start).c_str());
        if (size < 1) return fail("--sizes needs positive numbers separated by commas");
        parsed.options.sizes.push_back(static_cast<std::size_t>(size));
        start = end + 1;
      }
    } else {
      return fail("unknown argument: " + arg);
    }
  }
  if (parsed.options.knowledge_base.empty()) return fail("--knowbase is needed");
  return parsed;
}

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::size_t Kib(std::size_t bytes) { return (bytes + 1023) / 1024; }

struct ScanOutcome {
  double ms = 0;
  std::set<std::string> problem_paths;
  std::size_t handoffs = 0;
  double handoff_ms = 0;
};

// As the headless scanner runs it: this thread plays the UI thread.
ScanOutcome TimedScan(Registry& registry, FileSystem& files, const std::string& knowledge_base,
                      std::size_t& peak_bytes, const std::string& label) {
  QueuedUiThread ui;
  TimingUiThread timed_ui(ui);
  ResultTree tree;
  ConsoleScanView view(tree, nullptr);
  Tverefy scanner(ScanContext{registry, files, timed_ui}, view, knowledge_base);
  memory_meter::StartPhase();
  BENCH_PHASE_START();
  const Clock::time_point start = Clock::now();
  scanner.Prepare();
  scanner.Start();
  scanner.WaitFor();
  ui.Drain();
  ScanOutcome outcome;
  outcome.ms = MillisecondsSince(start);
  BENCH_PHASE_END(label);
  outcome.handoffs = timed_ui.Invokes();
  outcome.handoff_ms = timed_ui.InvokeMs();
  peak_bytes = memory_meter::PhasePeak();
  ForEachProblem(*view.tree.Top(), [&](const ResultNode& node) { outcome.problem_paths.insert(NodeFullPath(node)); });
  return outcome;
}

}  // namespace

BenchFigures MeasureScan(const std::string& back_end, Registry& registry, FileSystem& files,
                         const std::string& knowledge_base, const SyntheticRegistry& generated, int repeat,
                         double min_ms) {
  BenchFigures figures;
  figures.back_end = back_end;
  figures.keys = generated.keys;
  figures.values = generated.values;
  figures.planted = generated.planted.size();
  const std::vector<RawRule> rules = ReadRawRules(files.ReadFile(knowledge_base).value_or(""));
  const std::string size = std::to_string(generated.keys);
  CountingFileSystem counting(files);
  constexpr int kMostRuns = 100;
  double total_ms = 0;
  for (int run = 0; run < repeat || (total_ms < min_ms && run < kMostRuns); ++run) {
    counting.ResetCounts();
    memory_meter::StartPhase();
    BENCH_PHASE_START();
    const Clock::time_point start = Clock::now();
    const RawWalkCounts counts = RawWalk(registry, counting, rules);
    const double ms = MillisecondsSince(start);
    BENCH_PHASE_END("walk " + size);
    figures.walk_peak_kib = std::max(figures.walk_peak_kib, Kib(memory_meter::PhasePeak()));
    figures.walk_ms = run == 0 ? ms : std::min(figures.walk_ms, ms);
    figures.keys_checked = counts.keys_checked;
    figures.walk_lookups = counting.Searches() + counting.FolderChecks();

    counting.ResetCounts();
    std::size_t peak_bytes = 0;
    const ScanOutcome scan = TimedScan(registry, counting, knowledge_base, peak_bytes, "scan " + size);
    figures.scan_peak_kib = std::max(figures.scan_peak_kib, Kib(peak_bytes));
    if (run == 0 || scan.ms < figures.scan_ms) figures.handoff_ms = scan.handoff_ms;
    figures.scan_ms = run == 0 ? scan.ms : std::min(figures.scan_ms, scan.ms);
    figures.handoffs = scan.handoffs;
    total_ms += ms + scan.ms;
    figures.problems = scan.problem_paths.size();
    figures.missed = std::count_if(generated.planted.begin(), generated.planted.end(),
                                   [&](const std::string& path) { return !scan.problem_paths.contains(path); });
    figures.scan_lookups = counting.Searches() + counting.FolderChecks();
    figures.repeated_searches = counting.RepeatedSearches();
  }
  if (figures.walk_lookups != figures.scan_lookups)
    figures.error = "the raw walk made " + std::to_string(figures.walk_lookups) + " file look-ups, the scan " +
                    std::to_string(figures.scan_lookups) + ": they did not read the same";
  return figures;
}

void PrintHeader(std::ostream& out) {
  out << "# keys, values: written by the generator (both views, the user's classes among them)\n"
         "# checked: keys the rules examine, each redirected rule's 32-bit view included\n"
         "# lookups: file searches and folder checks of the raw walk (walk) and of the scan (scan lkp)\n"
         "# walk ms: reading the reference tables of both classes keys and views, every key and value\n"
         "#   the checks read, in both views, and the same file look-ups; scan ms: the scan from its\n"
         "#   start to its last problem handed over; ratio: scan / walk, the cost of judging\n"
         "# walk KiB, scan KiB: heap working set of the phase (the walk keeps the registered names it read);\n"
         "#   repeats: scan searches of a name searched before\n"
         "# handoffs: the scan's waits for the UI thread (a problem or a rule each), handoff ms: their time,\n"
         "#   part of scan ms\n";
  out << "back end     keys   values  checked  lookups   walk ms   scan ms  ratio  walk KiB  scan KiB"
         "  problems  planted  missed  scan lkp  repeats  handoffs  handoff ms\n";
}

void PrintRow(std::ostream& out, const BenchFigures& f) {
  char line[256];
  std::snprintf(line, sizeof line,
                "%-8s %8zu %8zu %8zu %8zu %9.1f %9.1f %6.2f %9zu %9zu %9zu %8zu %7zu %9zu %8zu %9zu %11.1f\n",
                f.back_end.c_str(), f.keys, f.values, f.keys_checked, f.walk_lookups, f.walk_ms, f.scan_ms,
                f.walk_ms > 0 ? f.scan_ms / f.walk_ms : 0.0, f.walk_peak_kib, f.scan_peak_kib, f.problems,
                f.planted, f.missed, f.scan_lookups, f.repeated_searches, f.handoffs, f.handoff_ms);
  out << line;
  if (!f.error.empty()) out << "error: " << f.error << '\n';
  out << std::flush;
}
