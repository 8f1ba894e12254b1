#include "scan/path_forms.h"

#include <cctype>

#include "platform/case_fold.h"

namespace {

bool StartsWithDrive(std::string_view path) {
  return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

// "%XX" as the byte it stands for; slashes as backslashes.
std::string DecodedUrlPath(std::string_view text) {
  std::string path;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int high = text[i] == '%' && i + 2 < text.size() ? HexDigit(text[i + 1]) : -1;
    const int low = high >= 0 ? HexDigit(text[i + 2]) : -1;
    if (low >= 0) {
      path += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      path += text[i] == '/' ? '\\' : text[i];
    }
  }
  return path;
}

}  // namespace

std::string_view WithoutNamespacePrefix(std::string_view path) {
  if (path.size() < 4 || path[0] != '\\' || path[3] != '\\') return path;
  const std::string_view prefix = path.substr(0, 4);
  if (prefix != "\\\\?\\" && prefix != "\\\\.\\" && prefix != "\\??\\") return path;
  const std::string_view rest = path.substr(4);
  return StartsWithDrive(rest) ? rest : path;
}

std::optional<std::string> FileUrlPath(std::string_view text) {
  if (!StartsWithNoCase(text, "file:")) return std::nullopt;
  std::string_view url = text.substr(5);
  url = url.substr(0, url.find_first_of(" \t"));
  if (StartsWithNoCase(url, "//localhost/")) url.remove_prefix(11);
  // "file:///C:/..." and "file://C:/...": a drive; "file://server/...": a share.
  if (url.starts_with("//") && !url.starts_with("///") && !StartsWithDrive(url.substr(2)))
    return "\\\\" + DecodedUrlPath(url.substr(2));
  while (url.starts_with('/')) url.remove_prefix(1);
  std::string path = DecodedUrlPath(url);
  // "C|/..." is the older way of writing the drive.
  if (path.size() >= 2 && path[1] == '|') path[1] = ':';
  return path;
}
