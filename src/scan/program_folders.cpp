#include "scan/program_folders.h"

#include "platform/case_fold.h"

bool NamesProgramFolders(std::string_view text) {
  const auto ends_with = [](std::string_view text, std::string_view end) {
    return text.size() >= end.size() && EqualsNoCase(text.substr(text.size() - end.size()), end);
  };
  for (std::size_t close = text.find('%', 1); close != std::string_view::npos; close = text.find('%', close + 1)) {
    const std::string_view reference = text.substr(0, close + 1);
    if (ends_with(reference, "%ProgramFiles%") || ends_with(reference, "%CommonProgramFiles%")) return true;
  }
  return false;
}

Presence EitherFound(Presence first, Presence second) {
  if (first == Presence::kFound || second == Presence::kFound) return Presence::kFound;
  return first == Presence::kMissing && second == Presence::kMissing ? Presence::kMissing : Presence::kCannotTell;
}
