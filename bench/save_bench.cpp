#include "bench/save_bench.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "platform/fixed_clock.h"
#include "platform/registry_accessor.h"
#include "regtext/Buck.h"
#include "platform/root_keys.h"

namespace {

using Timer = std::chrono::steady_clock;
constexpr const char* kTop = "Software\\TarnelSaveBench";

double MsSince(Timer::time_point start) {
  return std::chrono::duration<double, std::milli>(Timer::now() - start).count();
}

class NoMail : public MailSender {
 public:
  MailResult SendFile(const std::string&) override { return MailResult::kHandedOver; }
};

// Breadth first, three levels below the top whatever the size (as real
// trees do not grow deeper with their breadth), until the count is reached.
void PlantTree(Registry& registry, std::size_t keys) {
  const auto fan_out = static_cast<std::size_t>(std::ceil(std::cbrt(static_cast<double>(keys))));
  std::vector<std::string> level{kTop};
  std::size_t planted = 0;
  while (planted < keys) {
    std::vector<std::string> next;
    for (const std::string& parent : level) {
      for (std::size_t i = 0; i < fan_out && planted < keys; ++i, ++planted) {
        const std::string path = parent + "\\Key " + std::to_string(i);
        RegistryAccessor key(registry, kHkeyCurrentUser);
        key.OpenKeyWrite(path);
        key.WriteString("", "Default text of " + path.substr(path.rfind('\\') + 1));
        key.WriteString("Path", "C:\\Program Files\\Vendor\\app" + std::to_string(planted) + ".exe");
        key.WriteInteger("Count", static_cast<std::int32_t>(planted));
        next.push_back(path);
      }
      if (planted >= keys) break;
    }
    level.swap(next);
  }
}

std::size_t ReadTree(Registry& registry, const std::string& path) {
  const std::unique_ptr<RegKey> key = registry.OpenRead(kHkeyCurrentUser, path);
  if (!key) return 0;
  std::size_t bytes = 0;
  for (const std::string& name : key->ValueNames())
    if (const std::optional<RegValue> value = key->QueryValue(name)) bytes += value->data.size();
  for (const std::string& child : key->SubkeyNames()) bytes += ReadTree(registry, path + "\\" + child);
  return bytes;
}

}  // namespace

SaveFigures MeasureSave(Registry& registry, FileSystem& files, std::size_t keys, const std::string& file,
                        int repeat) {
  PlantTree(registry, keys);
  SaveFigures figures{keys, 1e300, 1e300};
  ResultTree tree;
  InsertProblemPath(tree, *tree.Top(), "HKEY_CURRENT_USER\\" + std::string(kTop),
                    std::make_unique<TErrorClass>("Bench", 1));
  FixedClock clock{{2026, 12, 7, 12, 0, 0}};
  NoMail mail;
  TBuck journal(tree, registry, files, clock, mail);
  for (int i = 0; i < repeat; ++i) {
    auto start = Timer::now();
    ReadTree(registry, kTop);
    figures.read_ms = std::min(figures.read_ms, MsSince(start));
    start = Timer::now();
    journal.SaveResults(file);
    figures.save_ms = std::min(figures.save_ms, MsSince(start));
  }
  registry.DeleteKey(kHkeyCurrentUser, kTop);
  return figures;
}

void PrintSaveTable(std::ostream& out, const std::string& back_end, const std::vector<SaveFigures>& rows) {
  char line[200];
  std::snprintf(line, sizeof line, "%-8s %8s %10s %10s %12s %6s %8s\n", "back end", "keys", "read ms", "save ms",
                "save us/key", "ratio", "growth");
  out << line;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const SaveFigures& row = rows[i];
    char growth[32] = "";
    if (i > 0) std::snprintf(growth, sizeof growth, "x%.2f", row.save_ms / rows[i - 1].save_ms);
    std::snprintf(line, sizeof line, "%-8s %8zu %10.1f %10.1f %12.2f %6.2f %8s\n", back_end.c_str(), row.keys,
                  row.read_ms, row.save_ms, 1000 * row.save_ms / static_cast<double>(row.keys),
                  row.save_ms / row.read_ms, growth);
    out << line;
  }
}
