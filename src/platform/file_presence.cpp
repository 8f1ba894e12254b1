#include "platform/file_presence.h"

#include <string_view>

namespace {

Presence FromProbe(const EntryProbe& probe, bool folder_wanted) {
  if (probe.error == 0) return folder_wanted && !probe.folder ? Presence::kMissing : Presence::kFound;
  // Only these two say that nothing is there; the others say that the
  // system would not or could not look.
  if (probe.error == file_error::kFileNotFound || probe.error == file_error::kPathNotFound)
    return Presence::kMissing;
  return Presence::kCannotTell;
}

}  // namespace

Presence JudgeEntry(const EntryProbe& attributes, const std::function<EntryProbe()>& listing, bool folder_wanted) {
  if (attributes.error == file_error::kSharingViolation) return FromProbe(listing(), folder_wanted);
  return FromProbe(attributes, folder_wanted);
}

bool IsRejectedFileName(const std::string& name) {
  for (std::size_t i = 0; i < name.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (c < 32 || std::string_view("<>\"|?*").find(static_cast<char>(c)) != std::string_view::npos) return true;
    if (c == ':' && i != 1) return true;
  }
  return false;
}
