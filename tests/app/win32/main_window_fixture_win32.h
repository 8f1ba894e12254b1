#pragma once
// The main window under test: created as the program creates it, on a
// sandboxed registry, with message boxes and the shell recorded.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "app/win32/main.h"
#include "app/win32/message_loop.h"
#include "app/win32/version_record_win32.h"
#include "platform/registry_accessor.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/files_win32.h"
#include "platform/root_keys.h"
#include "scan/key_paths.h"
#include "support/registry_sandbox_win32.h"
#include "support/temp_folder_win32.h"

#undef SearchPath
#undef DeleteFile


class RecordingShell : public Shell {
 public:
  std::vector<std::string> opened;
  void Open(std::uintptr_t, const std::string& address) override { opened.push_back(address); }
};

// The system's files, with the program's folder where the test puts it:
// by default an empty one, so that no language is loaded.
class ProgramFolderFiles : public Win32FileSystem {
 public:
  std::string folder;
  std::string ExeFolder() override { return folder; }
};

// A mail library that records what it was handed.
class RecordingMapi : public MapiLibrary {
 public:
  std::vector<std::string> sent;
  std::uint32_t result = 0;
  std::uint32_t SendDocuments(std::uintptr_t, const std::string&, const std::string& paths,
                              const std::string&) override {
    sent.push_back(paths);
    return result;
  }
};

// Message boxes and file dialogs answered as the test says.
class RecordingMessages : public UserMessages {
 public:
  std::vector<std::string> errors;
  std::vector<std::string> informed;
  std::vector<std::string> questions;
  bool answer = true;
  std::vector<bool> answers;  // taken first, one a question; then answer
  std::optional<std::string> file_to_choose;
  void Error(const std::string& text) override { errors.push_back(text); }
  void Inform(const std::string& text) override { informed.push_back(text); }
  bool Confirm(const std::string& title, const std::string& text) override {
    questions.push_back(title + ": " + text);
    if (answers.empty()) return answer;
    const bool next = answers.front();
    answers.erase(answers.begin());
    return next;
  }
  std::vector<std::string> dialog_titles;
  std::optional<std::string> AskSaveFile(const std::string& title) override {
    dialog_titles.push_back(title);
    return file_to_choose;
  }
  std::optional<std::string> open_folder;  // where the last open dialog began
  std::optional<std::string> AskOpenFile(const std::string& title, const std::string& folder) override {
    dialog_titles.push_back(title);
    open_folder = folder;
    return file_to_choose;
  }
};

class RecordingClipboard : public Clipboard {
 public:
  std::vector<std::string> texts;
  bool SetText(const std::string& text) override {
    texts.push_back(text);
    return true;
  }
};

class RecordingNavigator : public RegistryNavigator {
 public:
  std::vector<std::string> visits;
  void GotoKey(const std::string& key, const std::string& value) override { visits.push_back(key + "|" + value); }
};

inline RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

// Shown within its window, which may itself be hidden.
inline bool Shown(HWND control) { return (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0; }

class MainWindowTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
  }

  TMainForm& Open() {
    form_ = std::make_unique<TMainForm>(
        MainFormServices{*registry_, files_, versions_, shell_, messages_, clock_, mapi_, clipboard_, navigator_});
    EXPECT_TRUE(form_->Create());
    PumpMessages(*form_);
    return *form_;
  }
  void Close() {
    form_.reset();
  }
  void Store(const char* name, std::int32_t number) {
    RegistryAccessor reg(*registry_, kHkeyCurrentUser);
    ASSERT_TRUE(reg.OpenKeyWrite(kSettingsKey));
    ASSERT_TRUE(reg.WriteInteger(name, number));
  }
  std::int32_t Stored(const char* name) {
    RegistryAccessor reg(*registry_, kHkeyCurrentUser);
    EXPECT_TRUE(reg.OpenKeyReadOnly(kSettingsKey));
    return reg.ValueExists(name) ? reg.ReadInteger(name) : -12345;
  }
  void StoreGeometry(int left, int top, int width, int height) {
    Store("Left", left);
    Store("Top", top);
    Store("Width", width);
    Store("Height", height);
  }
  // The window with the language files shipped beside the test program.
  void UseShippedLanguages() {
    const std::string exe = OwnExecutableName();
    files_.folder = exe.substr(0, exe.find_last_of('\\') + 1);
  }
  // The problems of the window's tree, in its order: "path [values|] level".
  static std::vector<std::string> ProblemLines(const TMainForm& form) {
    std::vector<std::string> problems;
    ForEachProblem(*form.Results().Top(), [&](const ResultNode& node) {
      std::string line = NodeFullPath(node) + " [";
      for (const std::string& name : node.Data()->FValueNames) line += name + "|";
      problems.push_back(line + "] " + std::to_string(node.Data()->FLevel));
    });
    return problems;
  }
  // The rules the window's scans read, beside the program.
  void WriteKnowledgeBase(const std::string& text) {
    ASSERT_TRUE(files_.WriteFileAtomic(files_.folder + "Knowbase.ini", text));
  }
  // The shipped languages, with rules beside them for this test only.
  void UseShippedLanguagesAndRules(const std::string& rules) {
    UseShippedLanguages();
    WriteKnowledgeBase(rules);
    rules_beside_languages_ = true;
  }
  // Runs the Start command and handles messages until the scan has ended.
  void ScanToTheEnd(TMainForm& form) {
    bool finished = false;
    form.OnScanFinished = [&] { finished = true; };
    form.Dispatcher().Execute(CommandId::kStart);
    PumpUntil(form, finished);
    form.OnScanFinished = nullptr;
  }
  void PumpUntil(TMainForm& form, const bool& done) {
    const DWORD give_up = GetTickCount() + 60000;
    while (!done && static_cast<LONG>(give_up - GetTickCount()) > 0) {
      PumpMessages(form);
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    ASSERT_TRUE(done) << "no end within a minute";
  }
  // The window activates without offering the tip of the day.
  void NoTips() { Store("ShowTips", 0); }
  void Send(int wm_id) { SendMessageA(form_->Handle(), WM_COMMAND, wm_id, 0); }

  void SetUp() override { files_.folder = empty_folder_.Path(); }
  void TearDown() override {
    if (rules_beside_languages_) files_.DeleteFile(files_.folder + "Knowbase.ini");
  }

  std::unique_ptr<SandboxedSystemRegistry> registry_ = MakeSandboxedSystemRegistry();
  ScopedTempFolder empty_folder_{"tarnel-app"};
  ProgramFolderFiles files_;
  bool rules_beside_languages_ = false;
  Win32VersionRecordReader versions_;
  RecordingShell shell_;
  RecordingMessages messages_;
  Win32Clock clock_;
  RecordingMapi mapi_;
  RecordingClipboard clipboard_;
  RecordingNavigator navigator_;
  std::unique_ptr<TMainForm> form_;
};

