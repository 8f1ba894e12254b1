// The command-line target test over the in-memory file system's search
// order. Input: the command line.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "platform/memory_files.h"
#include "scan/command_line.h"

namespace {

// A few programs and documents where the search order finds them.
MemoryFileSystem& Files() {
  static MemoryFileSystem* files = [] {
    auto* made = new MemoryFileSystem;
    made->AddFile("C:\\WINDOWS\\notepad.exe");
    made->AddFile("C:\\WINDOWS\\SYSTEM32\\rundll32.exe");
    made->AddFile("C:\\Program Files\\App\\app.exe");
    made->AddFile("C:\\Docs\\page.htm");
    made->AddFolder("C:\\Docs\\Old");
    made->SetPathFolders({"C:\\Docs"});
    return made;
  }();
  return *files;
}

struct Outcome {
  bool exists;
  std::vector<std::string> asked;
};

Outcome Test(const std::string& command_line) {
  Outcome outcome{false, {}};
  outcome.exists = CommandTargetExists(command_line, [&outcome](const std::string& name) {
    outcome.asked.push_back(name);
    return Files().SearchPath(name).has_value();
  });
  return outcome;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string command_line(reinterpret_cast<const char*>(data), size);
  const Outcome outcome = Test(command_line);

  // At most the whole working copy and its two cuts are searched, each a
  // piece of the command line that fits the copy.
  FUZZ_CHECK(outcome.asked.size() <= 3);
  for (const std::string& name : outcome.asked) {
    FUZZ_CHECK(!name.empty() && name.size() <= kCommandLineChars);
    FUZZ_CHECK(name.find('\0') == std::string::npos);
    FUZZ_CHECK(command_line.find(name) != std::string::npos);
  }
  if (command_line.starts_with('%')) FUZZ_CHECK(outcome.exists && outcome.asked.empty());

  // Only the working copy counts: what a zero byte or its length cuts off
  // changes nothing.
  const std::string copied = command_line.substr(0, command_line.find('\0')).substr(0, kCommandLineChars);
  if (copied != command_line) FUZZ_CHECK(Test(copied).exists == outcome.exists);
  return 0;
}
