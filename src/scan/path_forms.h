#pragma once
// The forms in which Windows writes a path besides the plain one, brought
// to the plain one: the prefixes that take a path past the name rules
// ("\\?\C:\...", "\\.\C:\...") or name it in the system's own namespace
// ("\??\C:\..."), and file URLs ("file:///C:/Program%20Files/...").
#include <optional>
#include <string>
#include <string_view>

// The path without a "\\?\", "\\.\" or "\??\" prefix in front of a drive;
// any other text as it stands (a share or a volume stays a device path).
std::string_view WithoutNamespacePrefix(std::string_view path);

// The path a file URL names ("file:///C:/a%20b" is "C:\a b", "file://server/
// share/x" is "\\server\share\x"), up to the first blank; none when the text
// is no file URL.
std::optional<std::string> FileUrlPath(std::string_view text);
