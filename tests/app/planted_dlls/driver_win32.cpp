// Uses both programs as a user would, from a folder where DLLs were planted:
// the window program scans, sends its results and opens Help > Contents;
// the scanner scans. Each must do what it does without planted DLLs, with
// MAPI32.DLL and hhctrl.ocx loaded from anywhere but the planted folders.
//   driver PROGRAM_FOLDER WORKING_FOLDER
// Both folders are given with a trailing backslash. Exit code 0 when every
// step went as it should; each step prints one line.
#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "app/win32/command_ids.h"
#include "app/win32/main.h"
#include "support/window_test_support_win32.h"

namespace {

constexpr const char* kSettingsKey = "Software\\Vexa\\Quellin";
// The scan's one finding: the knowledge base the test writes names this key.
constexpr const char* kStaleKey = "Software\\TarnelPlantedDlls";
constexpr const char* kMailMessage = "No mail program could take the results";

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

int failures = 0;

void Report(bool ok, const std::string& what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAIL", what.c_str());
  std::fflush(stdout);
  if (!ok) ++failures;
}

bool StartsWithNoCase(const std::string& text, const std::string& start) {
  return text.size() >= start.size() && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, text.c_str(),
                                                       static_cast<int>(start.size()), start.c_str(),
                                                       static_cast<int>(start.size())) == CSTR_EQUAL;
}

bool WaitFor(const std::function<bool()>& condition, int milliseconds = 15000) {
  for (int waited = 0; waited < milliseconds; waited += 100) {
    if (condition()) return true;
    Sleep(100);
  }
  return condition();
}

void WriteDword(HKEY key, const char* name, DWORD value) {
  RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

// No tip at start, a scan at start, and one stale command line for it to find.
void PlantRegistry() {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) ==
      ERROR_SUCCESS) {
    WriteDword(key, "ShowTips", 0);
    WriteDword(key, "AutoStart", 1);
    RegCloseKey(key);
  }
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kStaleKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) ==
      ERROR_SUCCESS) {
    const char gone[] = "C:\\nowhere\\gone.exe";
    RegSetValueExA(key, "Gone", 0, REG_SZ, reinterpret_cast<const BYTE*>(gone), sizeof gone);
    RegCloseKey(key);
  }
}

void RemoveRegistry() {
  RegDeleteTreeA(HKEY_CURRENT_USER, kStaleKey);
  RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Vexa");  // only when empty
}

struct WindowSearch {
  DWORD process;
  const std::string& class_name;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process || !IsWindowVisible(window) || ClassName(window) != search->class_name) return TRUE;
  search->found = window;
  return FALSE;
}

// The first visible top-level window of the process with that class.
HWND FindProcessWindow(DWORD process, const std::string& class_name) {
  WindowSearch search{process, class_name, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Where the process loaded the module from, or "" when it has not.
std::string ModulePath(DWORD process, const std::string& module_name) {
  const Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process));
  if (snapshot.get() == INVALID_HANDLE_VALUE) return "";
  MODULEENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Module32First(snapshot.get(), &entry); more; more = Module32Next(snapshot.get(), &entry))
    if (lstrcmpiA(entry.szModule, module_name.c_str()) == 0) return entry.szExePath;
  return "";
}

void ReportModule(DWORD process, const std::string& name, const std::string& program_folder,
                  const std::string& working_folder) {
  const std::string path = ModulePath(process, name);
  Report(!path.empty() && !StartsWithNoCase(path, program_folder) && !StartsWithNoCase(path, working_folder),
         name + " loaded from " + (path.empty() ? "nowhere" : path));
}

// Starts the program in the working folder, handing it the standard handles
// of startup when it names them; its process, or null.
Handle Start(const std::string& program, const std::string& working_folder, STARTUPINFOA& startup,
             DWORD* id = nullptr) {
  PROCESS_INFORMATION started{};
  std::string command_line = "\"" + program + "\"";
  const BOOL inherit = (startup.dwFlags & STARTF_USESTDHANDLES) != 0;
  if (!CreateProcessA(program.c_str(), command_line.data(), nullptr, nullptr, inherit, 0, nullptr,
                      working_folder.c_str(), &startup, &started)) {
    Report(false, program + " did not start");
    return nullptr;
  }
  CloseHandle(started.hThread);
  if (id) *id = started.dwProcessId;
  return Handle(started.hProcess);
}

void PostCommand(HWND window, CommandId command) { PostMessageA(window, WM_COMMAND, WmIdOf(command), 0); }

void UseWindowProgram(const std::string& program_folder, const std::string& working_folder) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  DWORD id = 0;
  const Handle process = Start(program_folder + "Tarnel.exe", working_folder, startup, &id);
  if (!process) return;

  HWND main = nullptr;
  Report(WaitFor([&] { return (main = FindProcessWindow(id, TMainForm::kWindowClass)) != nullptr; }),
         "the main window opened");
  if (!main) {
    TerminateProcess(process.get(), 1);
    return;
  }
  // The caption is the product name and version from the program's version
  // record, read with VERSION.dll's functions.
  const std::string caption = WindowTitle(main);
  Report(StartsWithNoCase(caption, "Tarnel ") && caption.size() > 7, "caption \"" + caption + "\"");
  HWND tree = FindWindowExA(main, nullptr, WC_TREEVIEWA, nullptr);
  Report(WaitFor([&] { return SendMessageA(tree, TVM_GETCOUNT, 0, 0) > 1; }), "the scan found the stale entry");

  PostCommand(main, CommandId::kSend);
  HWND box = nullptr;
  WaitFor([&] { return (box = FindProcessWindow(id, "#32770")) != nullptr; });
  char text[512] = "";
  if (box) GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  Report(std::string(text).find(kMailMessage) != std::string::npos,
         std::string("Send reported \"") + text + "\"");
  if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
  ReportModule(id, "mapi32.dll", program_folder, working_folder);

  PostCommand(main, CommandId::kHelpContents);
  HWND help = nullptr;
  const bool opened =
      WaitFor([&] { return (help = FindProcessWindow(id, "HH Parent")) != nullptr && WindowTitle(help) == "Tarnel Help"; });
  Report(opened, "Help > Contents opened \"" + (help ? WindowTitle(help) : std::string()) + "\"");
  ReportModule(id, "hhctrl.ocx", program_folder, working_folder);

  PostMessageA(main, WM_CLOSE, 0, 0);
  DWORD code = STILL_ACTIVE;
  const bool ended = WaitForSingleObject(process.get(), 15000) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(process.get(), 1);
  GetExitCodeProcess(process.get(), &code);
  Report(ended && code == 0, "Tarnel.exe closed with exit code " + std::to_string(code));
}

void UseScanner(const std::string& program_folder, const std::string& working_folder) {
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  if (!CreatePipe(&read_end, &write_end, &inherited, 0)) {
    Report(false, "no pipe for the scanner's output");
    return;
  }
  const Handle reader(read_end);
  Handle writer(write_end);
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = write_end;
  startup.hStdError = write_end;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  const Handle process = Start(program_folder + "TarnelScan.exe", working_folder, startup);
  writer.reset();  // the pipe ends when the scanner's copy of it goes
  std::string output;
  char buffer[4096];
  DWORD count = 0;
  if (!process) return;
  while (ReadFile(read_end, buffer, sizeof buffer, &count, nullptr) && count > 0) output.append(buffer, count);
  WaitForSingleObject(process.get(), 30000);
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process.get(), &code);
  // Exit code 1: problems found.
  Report(code == 1 && output.find("TarnelPlantedDlls") != std::string::npos,
         "TarnelScan.exe ended with exit code " + std::to_string(code) + " and reported the stale entry");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: driver PROGRAM_FOLDER\\ WORKING_FOLDER\\\n");
    return 2;
  }
  PlantRegistry();
  UseWindowProgram(argv[1], argv[2]);
  UseScanner(argv[1], argv[2]);
  RemoveRegistry();
  return failures == 0 ? 0 : 1;
}
