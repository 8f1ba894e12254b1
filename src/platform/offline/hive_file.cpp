#include "platform/offline/hive_file.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/offline/hive_header.h"
#include "platform/offline/hive_names.h"
#include "platform/code_page.h"
#include "platform/offline/log_replay.h"

namespace {

std::string FileContent(const std::string& path, std::size_t most = std::string::npos) {
  std::ifstream in(path, std::ios::binary);
  if (most != std::string::npos) {
    std::string bytes(most, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(most));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The hive's log of that suffix beside it, its name's letter case ignored;
// empty when there is none.
std::string LogBeside(const std::filesystem::path& hive, const std::string& suffix) {
  const std::optional<std::u16string> wanted = Utf8CodePage().ToWide(hive.filename().string() + suffix);
  std::error_code error;
  for (std::filesystem::directory_iterator it(hive.parent_path(), error), end; wanted && !error && it != end;
       it.increment(error)) {
    const std::optional<std::u16string> name = Utf8CodePage().ToWide(it->path().filename().string());
    if (name && FoldName(*name) == FoldName(*wanted)) return FileContent(it->path().string());
  }
  return "";
}

// A replayed hive in a temporary file for hivex, gone once it is open.
std::shared_ptr<const Hive> OpenReplayed(const std::string& bytes, const std::string& shown_as) {
  const char* tmp = std::getenv("TMPDIR");
  std::string name = std::string(tmp && *tmp ? tmp : "/tmp") + "/tarnel-hive-XXXXXX";
  const int fd = mkstemp(name.data());
  if (fd < 0) throw HiveError(shown_as + ": no temporary file for the replayed hive");
  const bool written = write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  close(fd);
  try {
    if (!written) throw HiveError(shown_as + ": the replayed hive could not be written to a temporary file");
    auto hive = std::make_shared<const Hive>(name, shown_as + " (its logs replayed)");
    unlink(name.c_str());
    return hive;
  } catch (...) {
    unlink(name.c_str());
    throw;
  }
}

}  // namespace

std::shared_ptr<const Hive> OpenHiveFile(HiveReport& report, bool ignore_logs) {
  const HiveHeaderReading reading = ReadHiveHeader(FileContent(report.path, kHiveBaseBlockSize));
  if (!reading.header) throw HiveError(report.path + ": " + reading.error);
  if (reading.header->file_type != 0) throw HiveError(report.path + ": a transaction log, not a hive");
  report.dirty = reading.header->Dirty() || !reading.header->checksum_valid;
  std::shared_ptr<const Hive> hive;
  if (report.dirty && !ignore_logs) {
    const std::filesystem::path path(report.path);
    const LogReplay replay = ReplayLogs(FileContent(report.path), {LogBeside(path, ".LOG1"), LogBeside(path, ".LOG2")});
    if (replay.entries == 0)
      throw HiveError(report.path + ": dirty (its last changes are only in its transaction logs) and " +
                      replay.refusal + "; --ignore-logs reads it as last written cleanly");
    hive = OpenReplayed(replay.hive, report.path);
    report.log_entries_applied = replay.entries;
  } else {
    hive = std::make_shared<const Hive>(report.path);
  }
  report.keys = hive->KeyCount();
  report.values = hive->ValueCount();
  return hive;
}
