#pragma once
// How the answer of a file-attribute read becomes a presence. Portable, so
// that the in-memory file system answers exactly as the system's does.
#include <functional>
#include <string>

#include "platform/files.h"

// The system error codes that the decision tells apart (winerror.h values).
namespace file_error {
inline constexpr unsigned long kFileNotFound = 2;
inline constexpr unsigned long kPathNotFound = 3;
inline constexpr unsigned long kAccessDenied = 5;
inline constexpr unsigned long kNotReady = 21;
inline constexpr unsigned long kSharingViolation = 32;
inline constexpr unsigned long kBadNetPath = 53;
inline constexpr unsigned long kInvalidName = 123;
inline constexpr unsigned long kFileNameTooLong = 206;
}  // namespace file_error

// A name that holds a character no Windows file name holds (a colon only
// after the drive letter): the system rejects it.
bool IsRejectedFileName(const std::string& name);

// One read of an entry: error 0 when it is there, with its kind.
struct EntryProbe {
  unsigned long error = 0;
  bool folder = false;
};

// attributes: the attribute read of the path. listing: the same entry found
// by listing its folder, asked only for a file in use, whose attributes
// cannot be read while it still shows in its folder.
Presence JudgeEntry(const EntryProbe& attributes, const std::function<EntryProbe()>& listing, bool folder_wanted);
