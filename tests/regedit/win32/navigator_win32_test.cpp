// The navigator against Wine's own registry editor: started by the
// navigator, then already running, brought exactly to keys and values whose
// names defeat typing.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/registry_win32.h"
#include "regedit/win32/RegEditAccess_win32.h"
#include "regedit/win32/ShareObject_win32.h"
#include "regedit/win32/editor_controls_win32.h"
#include "platform/root_keys.h"
#include "support/registry_sandbox_win32.h"
#include "support/window_test_support_win32.h"

namespace {

struct Target {
  std::string key;    // below the sandbox key
  std::string value;  // "" for the key alone
};

class NavigatorTest : public testing::Test {
 protected:
  void TearDown() override {
    if (HWND editor = FindWindowA(TRegEditAccess::kEditorClass, nullptr)) {
      DWORD process_id = 0;
      GetWindowThreadProcessId(editor, &process_id);
      HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, process_id);
      PostMessageA(editor, WM_CLOSE, 0, 0);
      if (process) {
        WaitForSingleObject(process, 10000);
        CloseHandle(process);
      }
    }
  }
  void Create(const std::string& path, const std::string& value = "") {
    auto key = registry.OpenWrite(kHkeyCurrentUser, sandbox.KeyPath() + "\\" + path);
    ASSERT_NE(key, nullptr) << path;
    if (!value.empty() && value != "(Default)") key->SetValue(value, {kRegSz, {'x', 0}});
    if (value == "(Default)") key->SetValue("", {kRegSz, {'d', 0}});
  }
  // Whether this process can read the running editor's controls: not when
  // the system starts an editor of the other word size (Wine's 32-bit side
  // starts the 64-bit one), which only typing can reach.
  static bool EditorReadable() {
    HWND editor = FindWindowA(TRegEditAccess::kEditorClass, nullptr);
    DWORD process_id = 0;
    GetWindowThreadProcessId(editor, &process_id);
    return editor && PageInProcess(process_id) != nullptr;
  }
  // What the editor shows now: the selected key's path and the focused row.
  std::pair<std::string, std::string> EditorSelection() {
    HWND editor = FindWindowA(TRegEditAccess::kEditorClass, nullptr);
    DWORD process_id = 0;
    GetWindowThreadProcessId(editor, &process_id);
    auto buffer = PageInProcess(process_id);
    if (!buffer) return {"<the editor's process cannot be read>", ""};
    EditorTreeControl tree(FindDescendant(editor, "SysTreeView32"), *buffer, EditorTexts::kWide);
    EditorListControl list(FindDescendant(editor, "SysListView32"), *buffer, EditorTexts::kWide);
    return {ItemPath(tree, tree.Selected()), list.Focused().value_or("")};
  }

  RegistrySandbox sandbox{RegistrySandbox::Mode::kKeyOnly};
  Win32Registry registry;
  std::vector<std::string> reports;
  TRegEditAccess navigator{[this](const std::string& text, const std::string& caption) {
    reports.push_back(caption + ": " + text);
  }};
};

TEST_F(NavigatorTest, LandsExactlyOnKeysAndValuesThatTypingMisses) {
  const std::string long_name(200, 'n');
  std::string deep = "Deep";
  while (deep.size() < 320) deep += "\\level " + std::to_string(deep.size());
  const std::vector<Target> targets = {
      {"with blank", ""},           {"quote \"inside\"", "value with blank"},
      {"semi;colon", "(Default)"},  {"amp&ersand", ""},
      {"co:lon", ""},               {"pi|pe", ""},
      {"Case", ""},                 {"case", ""},
      {"prefix", ""},               {"prefixed longer", ""},
      {"prefix two", "v"},          {long_name, ""},
      {deep, "at depth"},           {"Values", "(Default)"},
      {"Values", "Path"},           {"Values", "path two"},
      {"Named Default", "(Default)"}, {"h\xe9llo", ""},
      {"Parent\\Child", ""},        {"x", ""},
  };
  for (const Target& target : targets) Create(target.key, target.value);
  Create("Values", "(Default)");
  Create("Values", "Path");
  Create("Values", "path two");
  registry.OpenWrite(kHkeyCurrentUser, sandbox.KeyPath() + "\\Named Default")->SetValue("(Default)", {kRegSz, {'r', 0}});
  ASSERT_EQ(targets.size(), 20u);
  navigator.GotoKey(sandbox.FullPath(), "");  // starts the editor
  if (!EditorReadable()) GTEST_SKIP() << "the editor has another word size than this program";
  for (const Target& target : targets) {
    navigator.GotoKey(sandbox.FullPath() + "\\" + target.key, target.value);
    EXPECT_TRUE(navigator.LastLanded()) << target.key << " / " << target.value;
    const auto [key, row] = EditorSelection();
    EXPECT_TRUE(key.size() >= target.key.size() && _stricmp(key.c_str() + key.size() - target.key.size(), target.key.c_str()) == 0)
        << "wanted " << target.key << ", the editor shows " << key;
    if (!target.value.empty()) {
      EXPECT_EQ(row, target.value) << target.key;
    }
  }
  EXPECT_TRUE(reports.empty()) << reports.front();
  navigator.GotoKey(sandbox.FullPath() + "\\Values", "path two");
  Sleep(300);
  SaveScreenshot(FindWindowA(TRegEditAccess::kEditorClass, nullptr), "regedit-at-value");
}

TEST_F(NavigatorTest, AKeyInAnotherCaseAndAKeyMadeAfterTheEditorShowedItsParent) {
  Create("Mixed\\Inner");
  navigator.GotoKey(sandbox.FullPath() + "\\Mixed", "");
  if (!EditorReadable()) GTEST_SKIP() << "the editor has another word size than this program";
  ASSERT_TRUE(navigator.LastLanded());
  Create("Mixed\\Later");  // the editor filled Mixed before this existed
  std::string other_case = sandbox.FullPath() + "\\MIXED\\later";
  navigator.GotoKey(other_case, "");
  EXPECT_TRUE(navigator.LastLanded());
  EXPECT_EQ(EditorSelection().first.substr(EditorSelection().first.rfind('\\') + 1), "Later");
  navigator.GotoKey(sandbox.FullPath() + "\\Missing", "");
  EXPECT_FALSE(navigator.LastLanded());
  EXPECT_EQ(reports, std::vector<std::string>{"Error: NotFound"});
}

// The fallback, when the editor's process cannot be reached: typing lands
// on plain names, given time between the components.
TEST_F(NavigatorTest, TypingReachesAPlainKey) {
  Create("Plain\\Typed", "Value");
  TRegEditAccess typing([this](const std::string& text, const std::string& caption) {
    reports.push_back(caption + ": " + text);
  }, TRegEditAccess::Way::kTyping);
  typing.GotoKey(sandbox.FullPath() + "\\Plain\\Typed", "");
  if (!EditorReadable()) GTEST_SKIP() << "the editor has another word size: where typing landed cannot be read";
  const std::string key = EditorSelection().first;
  EXPECT_EQ(key.substr(key.rfind('\\') + 1), "Typed") << key;
  EXPECT_TRUE(reports.empty());
}

// A "regedit.exe" in the current folder is never the one started.
TEST(EditorProgram, IsTheSystemsEditorNamedByItsFullPath) {
  char windows[MAX_PATH] = "";
  ASSERT_GT(GetSystemWindowsDirectoryA(windows, MAX_PATH), 0u);
  const std::string program = EditorProgram();
  EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, program.c_str(), lstrlenA(windows), windows,
                           lstrlenA(windows)),
            CSTR_EQUAL)
      << program;
  EXPECT_NE(program.find("\\regedit.exe"), std::string::npos) << program;
  EXPECT_NE(GetFileAttributesA(program.c_str()), INVALID_FILE_ATTRIBUTES) << program;
}

TEST(TShareObject, APageOfFileWhileMappedAndNoFileAfter) {
  std::string name;
  {
    TShareObject share;
    name = share.FileName();
    ASSERT_FALSE(name.empty());
    ASSERT_NE(share.Map(), nullptr);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(data.nFileSizeLow, share.PageSize());
  }
  EXPECT_EQ(GetFileAttributesA(name.c_str()), INVALID_FILE_ATTRIBUTES);
  {
    TShareObject never_mapped;
    name = never_mapped.FileName();
    EXPECT_NE(GetFileAttributesA(name.c_str()), INVALID_FILE_ATTRIBUTES);
  }
  EXPECT_EQ(GetFileAttributesA(name.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
