#include "platform/registry_views.h"

#include <string_view>
#include <vector>

#include "platform/case_fold.h"
#include "platform/root_keys.h"

namespace {

constexpr std::string_view kViewKey = "Wow6432Node";

// Under a classes key (HKLM\Software\Classes, the user's classes, the
// classes root) only these tables are kept apart per view; everything else
// there, ProgIDs and file types among it, is shared.
constexpr std::string_view kRedirectedClassTables[] = {"CLSID", "DirectShow", "Interface", "Media Type",
                                                       "MediaFoundation"};

// The keys under HKLM\Software that both views share (Microsoft's list of
// registry keys affected by WOW64, Windows 7 and later), below "Software".
// Classes is handled on its own.
constexpr std::string_view kSharedSoftwareKeys[] = {
    "Clients",
    "Microsoft\\COM3",
    "Microsoft\\Cryptography\\Calais\\Current",
    "Microsoft\\Cryptography\\Calais\\Readers",
    "Microsoft\\Cryptography\\Services",
    "Microsoft\\CTF\\SystemShared",
    "Microsoft\\CTF\\TIP",
    "Microsoft\\DFS",
    "Microsoft\\Driver Signing",
    "Microsoft\\EnterpriseCertificates",
    "Microsoft\\EventSystem",
    "Microsoft\\MSMQ",
    "Microsoft\\Non-Driver Signing",
    "Microsoft\\Notepad\\DefaultFonts",
    "Microsoft\\OLE",
    "Microsoft\\RAS",
    "Microsoft\\RPC",
    "Microsoft\\Shared Tools\\MSInfo",
    "Microsoft\\SystemCertificates",
    "Microsoft\\TermServLicensing",
    "Microsoft\\Transaction Server",
    "Microsoft\\Windows\\CurrentVersion\\App Paths",
    "Microsoft\\Windows\\CurrentVersion\\Control Panel\\Cursors\\Schemes",
    "Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoplayHandlers",
    "Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons",
    "Microsoft\\Windows\\CurrentVersion\\Explorer\\KindMap",
    "Microsoft\\Windows\\CurrentVersion\\Group Policy",
    "Microsoft\\Windows\\CurrentVersion\\Policies",
    "Microsoft\\Windows\\CurrentVersion\\PreviewHandlers",
    "Microsoft\\Windows\\CurrentVersion\\Setup",
    "Microsoft\\Windows\\CurrentVersion\\Telephony\\Locations",
    "Microsoft\\Windows NT\\CurrentVersion\\Console",
    "Microsoft\\Windows NT\\CurrentVersion\\FontDpi",
    "Microsoft\\Windows NT\\CurrentVersion\\FontLink",
    "Microsoft\\Windows NT\\CurrentVersion\\FontMapper",
    "Microsoft\\Windows NT\\CurrentVersion\\Fonts",
    "Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes",
    "Microsoft\\Windows NT\\CurrentVersion\\Gre_Initialize",
    "Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options",
    "Microsoft\\Windows NT\\CurrentVersion\\LanguagePack",
    "Microsoft\\Windows NT\\CurrentVersion\\NetworkCards",
    "Microsoft\\Windows NT\\CurrentVersion\\Perflib",
    "Microsoft\\Windows NT\\CurrentVersion\\Ports",
    "Microsoft\\Windows NT\\CurrentVersion\\Print",
    "Microsoft\\Windows NT\\CurrentVersion\\ProfileList",
    "Microsoft\\Windows NT\\CurrentVersion\\Time Zones",
    "Policies",
    "RegisteredApplications",
};

std::vector<std::string_view> Components(std::string_view path) {
  std::vector<std::string_view> parts;
  while (!path.empty()) {
    const std::size_t slash = path.find('\\');
    parts.push_back(path.substr(0, slash));
    if (slash == std::string_view::npos) break;
    path.remove_prefix(slash + 1);
  }
  return parts;
}

// Whether the components from `first` on begin with those of the key.
bool StartsWithKey(const std::vector<std::string_view>& parts, std::size_t first, std::string_view key) {
  const std::vector<std::string_view> key_parts = Components(key);
  if (parts.size() - first < key_parts.size()) return false;
  for (std::size_t i = 0; i < key_parts.size(); ++i)
    if (!EqualsNoCase(parts[first + i], key_parts[i])) return false;
  return true;
}

bool IsRedirectedClassTable(std::string_view name) {
  for (std::string_view table : kRedirectedClassTables)
    if (EqualsNoCase(name, table)) return true;
  return false;
}

// The path with the view key put in before component `at`.
std::string WithViewKeyAt(const std::vector<std::string_view>& parts, std::size_t at) {
  std::string path;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i == at) path.append(kViewKey).push_back('\\');
    path.append(parts[i]);
    if (i + 1 < parts.size()) path.push_back('\\');
  }
  if (at == parts.size()) path.append("\\").append(kViewKey);
  return path;
}

// A classes key's component `table` and on: a redirected table moves into
// the view key just before it.
std::optional<std::string> ClassesViewPath(const std::vector<std::string_view>& parts, std::size_t table) {
  if (table >= parts.size() || !IsRedirectedClassTable(parts[table])) return std::nullopt;
  return WithViewKeyAt(parts, table);
}

// The index of the first component below a classes key under HKEY_USERS:
// "<sid>\Software\Classes\..." or "<sid>_Classes\...".
std::optional<std::size_t> UserClassesStart(const std::vector<std::string_view>& parts) {
  if (parts.size() >= 3 && EqualsNoCase(parts[1], "Software") && EqualsNoCase(parts[2], "Classes")) return 3;
  if (!parts.empty() && parts[0].size() > 8 && EqualsNoCase(parts[0].substr(parts[0].size() - 8), "_Classes"))
    return 1;
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ThirtyTwoBitViewPath(RootKey root, const std::string& path) {
  const std::vector<std::string_view> parts = Components(path);
  for (std::string_view part : parts)
    if (EqualsNoCase(part, kViewKey)) return std::nullopt;
  switch (root) {
    case kHkeyClassesRoot:
      return ClassesViewPath(parts, 0);
    case kHkeyCurrentUser:
      if (parts.size() >= 2 && EqualsNoCase(parts[0], "Software") && EqualsNoCase(parts[1], "Classes"))
        return ClassesViewPath(parts, 2);
      return std::nullopt;
    case kHkeyUsers: {
      const std::optional<std::size_t> start = UserClassesStart(parts);
      return start ? ClassesViewPath(parts, *start) : std::nullopt;
    }
    case kHkeyLocalMachine:
      if (parts.empty() || !EqualsNoCase(parts[0], "Software")) return std::nullopt;
      if (parts.size() > 1 && EqualsNoCase(parts[1], "Classes")) return ClassesViewPath(parts, 2);
      for (std::string_view shared : kSharedSoftwareKeys)
        if (StartsWithKey(parts, 1, shared)) return std::nullopt;
      return WithViewKeyAt(parts, 1);
    default:
      return std::nullopt;
  }
}

KeyView ViewOfKey(Registry& registry, RootKey root, const std::string& path) {
  if (!registry.HasTwoViews()) return KeyView::kNative;
  for (std::string_view part : Components(path))
    if (EqualsNoCase(part, kViewKey)) return KeyView::kThirtyTwoBit;
  return ThirtyTwoBitViewPath(root, path) ? KeyView::kNative : KeyView::kShared;
}
