// A hive file from anywhere: opened as the offline scan opens it, and when
// it opens, every key and value read through the registry seam. A damaged
// hive must give a HiveError, never a crash or a hang.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/offline/hive_file.h"
#include "platform/offline/hive_registry.h"

namespace {

void ReadEverything(Registry& registry) {
  std::vector<std::string> pending{""};
  while (!pending.empty()) {
    const std::string path = pending.back();
    pending.pop_back();
    const std::unique_ptr<RegKey> key = registry.OpenRead(0x80000001u, path);
    if (!key) std::abort();  // a key listed is a key that opens
    for (const std::string& name : key->ValueNames()) key->QueryValue(name);
    key->UnreadableValueNames();
    key->UnreadableSubkeyNames();
    for (const std::string& name : key->SubkeyNames()) pending.push_back(path.empty() ? name : path + "\\" + name);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const int fd = memfd_create("hive", 0);
  if (fd < 0) return 0;
  if (write(fd, data, size) != static_cast<ssize_t>(size)) {
    close(fd);
    return 0;
  }
  HiveReport report;
  report.path = "/proc/self/fd/" + std::to_string(fd);
  try {
    const Utf8CodePage utf8;
    HiveRegistry registry(utf8);
    registry.Mount(0x80000001u, "", OpenHiveFile(report, true));
    ReadEverything(registry);
  } catch (const HiveError& error) {
    if (std::string(error.what()).rfind(report.path + ": ", 0) != 0) std::abort();  // the error names the file
  }
  close(fd);
  return 0;
}
