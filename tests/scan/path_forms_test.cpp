#include "scan/path_forms.h"

#include <gtest/gtest.h>

namespace {

TEST(PathForms, NamespacePrefixesBeforeADriveAreDropped) {
  const std::pair<const char*, const char*> cases[] = {
      {"\\\\?\\C:\\x\\a.exe", "C:\\x\\a.exe"},
      {"\\??\\D:\\a.exe", "D:\\a.exe"},
      {"\\\\.\\C:\\a.exe", "C:\\a.exe"},
      {"\\\\?\\UNC\\server\\share\\a.exe", "\\\\?\\UNC\\server\\share\\a.exe"},
      {"\\\\?\\Volume{1}\\a.exe", "\\\\?\\Volume{1}\\a.exe"},
      {"\\\\server\\share\\a.exe", "\\\\server\\share\\a.exe"},
      {"\\??\\", "\\??\\"},
      {"C:\\a.exe", "C:\\a.exe"},
  };
  for (const auto& [path, plain] : cases) EXPECT_EQ(WithoutNamespacePrefix(path), plain) << path;
}

TEST(PathForms, FileUrlsNameTheirPathDecoded) {
  const std::pair<const char*, const char*> cases[] = {
      {"file:///C:/Program%20Files/App/a.html", "C:\\Program Files\\App\\a.html"},
      {"FILE:///c:/a%2Fb%zz", "c:\\a/b%zz"},
      {"file://C:/a.txt", "C:\\a.txt"},
      {"file://localhost/C:/a.txt", "C:\\a.txt"},
      {"file:///C|/a.txt", "C:\\a.txt"},
      {"file://server/share/a.txt", "\\\\server\\share\\a.txt"},
      {"file:///C:/a.html -x", "C:\\a.html"},
  };
  for (const auto& [url, path] : cases) EXPECT_EQ(FileUrlPath(url), std::optional<std::string>(path)) << url;
  EXPECT_EQ(FileUrlPath("C:\\file.txt"), std::nullopt);
  EXPECT_EQ(FileUrlPath("http://example.com/a.html"), std::nullopt);
}

}  // namespace
