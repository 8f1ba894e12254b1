// A program that runs in the system's ANSI code page (this test program has
// no UTF-8 manifest: Windows before 10 1903 treats Tarnel so too) meets
// names and paths that code page cannot hold. They are neither judged nor
// deleted, and the results name them.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/win32/files_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/ui_thread_win32.h"
#include "platform/fixed_clock.h"
#include "regtext/Buck.h"
#include "support/no_mail.h"
#include "support/registry_sandbox_win32.h"
#include "support/scan_harness.h"
#include "support/temp_folder_win32.h"

namespace {

constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kAppPaths = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
// CJK: outside code page 1252 and 1251 alike.
constexpr const wchar_t* kCjk = L"\x6d4b\x8bd5";  // 测试

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// Planted through the UTF-16 functions: the ANSI ones cannot write them.
void PlantText(const std::wstring& path, const std::wstring& name, const std::wstring& text) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExW(key, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(text.c_str()), static_cast<DWORD>((text.size() + 1) * 2)),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

bool KeyExistsW(const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

class NamesOutsideTheCodePageTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(GetACP(), static_cast<UINT>(CP_UTF8)) << "this test program must run without the UTF-8 manifest";
    folder_w_ = Wide(folder.Path());
    ASSERT_TRUE(CreateDirectoryW((folder_w_ + kCjk).c_str(), nullptr));
    const HANDLE file = CreateFileW((folder_w_ + kCjk + L"\\app.exe").c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    const std::wstring run = Wide(kRun), app_paths = Wide(kAppPaths) + L"\\";
    PlantText(run, L"present", folder_w_ + kCjk + L"\\app.exe");
    PlantText(run, L"gone", folder_w_ + kCjk + L"\\gone.exe");
    PlantText(run, kCjk, folder_w_ + L"gone.exe");
    PlantText(run, L"plain gone", folder_w_ + L"gone.exe");
    PlantText(app_paths + kCjk + L".exe", L"", folder_w_ + L"gone.exe");
    PlantText(app_paths + L"plain.exe", L"", folder_w_ + L"gone.exe");
    PlantText(app_paths + L"plain.exe\\" + kCjk, L"v", L"x");
    harness.SetKnowledgeBasePath(folder.Path() + "Knowbase.ini");
    harness.SetKnowledgeBase(std::string("[PATHS1]\nHKEY_CURRENT_USER\\") + kAppPaths +
                             "\\*=Application paths,1,FILEDEF_\nHKEY_CURRENT_USER\\" + kRun + "=Startup,0,LD_\n");
  }
  void TearDown() override {
    DeleteFileW((folder_w_ + kCjk + L"\\app.exe").c_str());
    RemoveDirectoryW((folder_w_ + kCjk).c_str());
  }

  RegistrySandbox sandbox;
  Win32Registry registry{Win32Registry::Views::kOwn};  // the sandbox has no views
  Win32FileSystem files;
  Win32UiThread ui;
  ScopedTempFolder folder{"names"};
  std::wstring folder_w_;
  ScanHarness harness{registry, files, ui};
};

TEST_F(NamesOutsideTheCodePageTest, AreNeitherReportedNorDeletedAndTheResultsNameThem) {
  harness.Scan();
  // Read with '?' the path of "gone" would be judged, and so would that of
  // "present", which exists: neither is. Nor is the value whose name cannot
  // be read, nor the key whose name cannot be.
  EXPECT_EQ(harness.view.Problems(),
            (std::vector<std::string>{
                std::string("HKEY_CURRENT_USER\\") + kAppPaths + "\\plain.exe: File not found [(Default)] 1",
                std::string("HKEY_CURRENT_USER\\") + kRun + ": File not found [plain gone] 0"}));

  FixedClock clock{{2026, 12, 7, 20, 0, 0}};
  NoMail mail;
  TBuck journal(harness.view.tree, registry, files, clock, mail);
  // Deleting plain.exe would take its unreadable subkey along: refused.
  const ResultNode* app = harness.view.tree.Top()->Child(0);
  while (app && !app->Data()) app = app->Child(0);
  ASSERT_NE(app, nullptr);
  EXPECT_FALSE(journal.BackupProblem(*app));
  EXPECT_TRUE(KeyExistsW(Wide(kAppPaths) + L"\\plain.exe\\" + kCjk));

  journal.SaveResults(folder.Path() + "results.reg");
  std::ifstream in(folder.Path() + "results.reg", std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("\r\n; HKEY_CURRENT_USER\\" + std::string(kAppPaths) + "\\plain.exe\\??\r\n"),
            std::string::npos)
      << text.str();
  // Those the scan met and passed over are named too.
  EXPECT_NE(text.str().find("\r\n; HKEY_CURRENT_USER\\" + std::string(kAppPaths) + "\\??.exe\r\n"), std::string::npos);
  EXPECT_NE(text.str().find("\r\n; HKEY_CURRENT_USER\\" + std::string(kRun) + ": \"??\"\r\n"), std::string::npos);
  EXPECT_EQ(text.str().rfind("REGEDIT4\r\n", 0), 0u);
}

}  // namespace
