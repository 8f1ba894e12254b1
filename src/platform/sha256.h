#pragma once
// SHA-256 of a byte string: the fingerprint a backup's record keeps of its
// file, so that a file replaced or edited since is told from the one written.
#include <string>
#include <string_view>

// The digest as 64 lower-case hex digits.
std::string Sha256Hex(std::string_view bytes);
