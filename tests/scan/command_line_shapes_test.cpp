// Every shape of value a real machine holds that names a program, a script
// or a folder, each planted alone on 64-bit Windows three times: with its
// file there (never reported), gone (reported when the line is stale), and
// behind a folder that denies access (cannot tell: never reported). Each
// scanned by a native and by a 32-bit program, which judge alike.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file_presence.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"
#include "platform/queued_ui_thread.h"
#include "regtext/regedit4_reader.h"
#include "support/scan_harness.h"

namespace {

constexpr const char* kRules =
    "[PATHS1]\n"
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run=Run,0,LD_\n"
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run=Run,0,LD_\n"
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\*=Paths,1,FILEDEF_\n"
    "HKEY_CLASSES_ROOT\\CLSID\\*\\InprocServer32=Servers,2,FILEDEF_\n"
    "HKEY_CLASSES_ROOT\\*\\shell\\open\\command=Open,0,FILEDEF_\n"
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\*\\Uninstall\\*=Folders,0,FILE_,InstallLocation\n";

constexpr const char* kUserRun = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kMachineRun = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kAppPath =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\shape.exe";
constexpr const char* kServer64 = "HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\{5A}\\InprocServer32";
constexpr const char* kServer32 = "HKEY_LOCAL_MACHINE\\Software\\Classes\\Wow6432Node\\CLSID\\{5A}\\InprocServer32";
constexpr const char* kOpen = "HKEY_LOCAL_MACHINE\\Software\\Classes\\shapefile\\shell\\open\\command";
constexpr const char* kUninstall = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Shape";

struct Shape {
  const char* shape;
  const char* key;
  const char* value;  // its name; "@" the default value
  const char* data;
  const char* file;  // the file that makes it valid ("...\" a folder); null: none
  bool stale_without_file;
};

const Shape kShapes[] = {
    // Unquoted, with dots in the folders and in the arguments.
    {"folder v1.0, argument x.ps1", kUserRun, "v", "C:\\Tools\\WindowsPowerShell\\v1.0\\powershell.exe -File x.ps1",
     "C:\\Tools\\WindowsPowerShell\\v1.0\\powershell.exe", true},
    {"folder jre1.8.0_311, argument x.jar", kMachineRun, "v",
     "C:\\Program Files\\Java\\jre1.8.0_311\\bin\\javaw.exe -jar x.jar",
     "C:\\Program Files\\Java\\jre1.8.0_311\\bin\\javaw.exe", true},
    {"folder App 2.0, arguments app.txt \"%1\"", kOpen, "@", "C:\\Program Files\\App 2.0\\app.exe /log app.txt \"%1\"",
     "C:\\Program Files\\App 2.0\\app.exe", true},
    {"name app.v2.exe, argument app.ini", kUserRun, "v", "C:\\Tools\\app.v2.exe -c app.ini", "C:\\Tools\\app.v2.exe",
     true},
    {"profile john.smith, argument App.exe", kUserRun, "v",
     "C:\\Users\\john.smith\\AppData\\Local\\App\\Update.exe --processStart App.exe",
     "C:\\Users\\john.smith\\AppData\\Local\\App\\Update.exe", true},
    // Blanks around the text.
    {"blanks before a quoted program", kUserRun, "v", "  \"C:\\Tools\\quoted.exe\" /x", "C:\\Tools\\quoted.exe", true},
    {"blanks before an unquoted path", kAppPath, "@", "   C:\\Tools\\plain.exe", "C:\\Tools\\plain.exe", true},
    {"a blank before a quoted open command", kOpen, "@", " \"C:\\Tools\\open.exe\" \"%1\"", "C:\\Tools\\open.exe",
     true},
    {"blanks after the path", kUserRun, "v", "C:\\Tools\\trailing.exe  ", "C:\\Tools\\trailing.exe", true},
    // Program folders as the programs that read the key see them.
    {"%ProgramFiles% in the 32-bit view", kServer32, "@", "%ProgramFiles%\\App\\x86.dll",
     "C:\\Program Files (x86)\\App\\x86.dll", true},
    {"%CommonProgramFiles% in the 32-bit view", kServer32, "@", "%CommonProgramFiles%\\App\\common.dll",
     "C:\\Program Files (x86)\\Common Files\\App\\common.dll", true},
    {"%ProgramFiles% in the native view", kServer64, "@", "%ProgramFiles%\\App\\x64.dll",
     "C:\\Program Files\\App\\x64.dll", true},
    {"%ProgramFiles% in a shared key, 32-bit folder", kUserRun, "v", "\"%ProgramFiles%\\App\\either.exe\" /x",
     "C:\\Program Files (x86)\\App\\either.exe", true},
    {"%ProgramFiles% in a shared key, native folder", kAppPath, "@", "%ProgramFiles%\\App\\native.exe",
     "C:\\Program Files\\App\\native.exe", true},
    // Install folders.
    {"empty InstallLocation", kUninstall, "InstallLocation", "", nullptr, false},
    {"InstallLocation of blanks", kUninstall, "InstallLocation", "   ", nullptr, false},
    {"InstallLocation with a blank", kUninstall, "InstallLocation", "C:\\Program Files\\Installed App",
     "C:\\Program Files\\Installed App\\", true},
    // Paths in the other forms Windows writes.
    {"\\\\?\\ path", kUserRun, "v", "\\\\?\\C:\\Tools\\long.exe", "C:\\Tools\\long.exe", true},
    {"\\??\\ path", kMachineRun, "v", "\\??\\C:\\Tools\\nt.exe -x", "C:\\Tools\\nt.exe", true},
    {"quoted \\\\?\\ path + \"%1\"", kOpen, "@", "\"\\\\?\\C:\\Tools\\quoted long.exe\" \"%1\"",
     "C:\\Tools\\quoted long.exe", true},
    {"quoted \\??\\ path + \"%1\"", kOpen, "@", "\"\\??\\C:\\Tools\\nt quoted.exe\" \"%1\"",
     "C:\\Tools\\nt quoted.exe", true},
    {"file URL with %20", kUserRun, "v", "file:///C:/Program%20Files/App/page.html",
     "C:\\Program Files\\App\\page.html", true},
    // Hosts and what they run.
    {"cmd /c \"script\"", kUserRun, "v", "cmd /c \"C:\\Scripts\\start.cmd\"", "C:\\Scripts\\start.cmd", true},
    {"cmd.exe /k script", kMachineRun, "v", "C:\\WINDOWS\\system32\\cmd.exe /k C:\\Scripts\\keep.cmd",
     "C:\\Scripts\\keep.cmd", true},
    {"cmd /d /c \"\"script\" argument\"", kUserRun, "v", "cmd /d /c \"\"C:\\Script s\\run.cmd\" x\"",
     "C:\\Script s\\run.cmd", true},
    {"cmd /c program without extension", kUserRun, "v", "cmd /c C:\\Scripts\\tool /q", "C:\\Scripts\\tool.exe",
     true},
    {"cmd /c built-in command", kUserRun, "v", "cmd /c start \"\" C:\\Scripts\\gone.exe", nullptr, false},
    {"msiexec /i \"package\"", kUserRun, "v", "msiexec /i \"C:\\Packages\\app.msi\"", "C:\\Packages\\app.msi", true},
    {"msiexec.exe /p patch /qn", kUserRun, "v", "msiexec.exe /p C:\\Packages\\fix.msp /qn", "C:\\Packages\\fix.msp",
     true},
    {"msiexec /package \"package\"", kUserRun, "v", "msiexec /qb /package \"C:\\Packages\\pkg.msi\"",
     "C:\\Packages\\pkg.msi", true},
    {"msiexec /i product code", kUserRun, "v", "msiexec /i {12345678-1234-1234-1234-123456789012}", nullptr, false},
    {"msiexec opening the document", kOpen, "@", "\"%SystemRoot%\\System32\\msiexec.exe\" /i \"%1\" %*", nullptr,
     false},
    {"regsvr32 registering the document", kOpen, "@", "regsvr32.exe %1", nullptr, false},
    {"wscript \"script\"", kUserRun, "v", "wscript \"C:\\Scripts\\run.vbs\"", "C:\\Scripts\\run.vbs", true},
    {"cscript //nologo script", kUserRun, "v", "cscript.exe //nologo C:\\Scripts\\run.js", "C:\\Scripts\\run.js",
     true},
    {"wscript opening the document", kOpen, "@", "\"%SystemRoot%\\System32\\WScript.exe\" \"%1\" %*", nullptr, false},
    {"wscript with a relative script", kUserRun, "v", "wscript run.vbs", nullptr, false},
    {"powershell -File \"script\"", kUserRun, "v", "powershell -ExecutionPolicy Bypass -File \"C:\\Scripts\\run.ps1\"",
     "C:\\Scripts\\run.ps1", true},
    {"pwsh -f script", kUserRun, "v", "\"C:\\Program Files\\PowerShell\\7\\pwsh.exe\" -f C:\\Scripts\\core.ps1",
     "C:\\Scripts\\core.ps1", true},
    {"regsvr32 /s \"library\"", kUserRun, "v", "regsvr32 /s \"C:\\Libs\\server.dll\"", "C:\\Libs\\server.dll", true},
    {"regsvr32 library without extension", kUserRun, "v", "regsvr32.exe /s /i:\"a b\" C:\\Libs\\other",
     "C:\\Libs\\other.dll", true},
};

std::string ExpandSzBytes(const std::string& text) {
  static const char kDigits[] = "0123456789abcdef";
  std::string bytes = "hex(2):";
  for (const unsigned char c : text + '\0') {
    bytes += kDigits[c >> 4];
    bytes += kDigits[c & 15];
    bytes += ',';
  }
  bytes.pop_back();
  return bytes;
}

std::string FolderOf(const std::string& path) {
  const std::string file = path.ends_with('\\') ? path.substr(0, path.size() - 1) : path;
  return file.substr(0, file.rfind('\\'));
}

enum class FileIs { kThere, kGone, kBehindADeniedFolder };

// 64-bit Windows with its hosts and program folders, seen by a program of
// the given width; the shape's value planted and its file as asked.
class World {
 public:
  World(const Shape& shape, FileIs file_is, bool thirty_two_bit_program) {
    registry.MergeClassesRoot();
    registry.SetTwoViews(true);
    files.SetSixtyFourBitWindows(thirty_two_bit_program);
    files.SetVariable("SystemRoot", "C:\\WINDOWS");
    files.SetVariable("ProgramFiles", thirty_two_bit_program ? "C:\\Program Files (x86)" : "C:\\Program Files");
    files.SetVariable("ProgramW6432", "C:\\Program Files");
    files.SetVariable("ProgramFiles(x86)", "C:\\Program Files (x86)");
    files.SetVariable("CommonProgramFiles", thirty_two_bit_program ? "C:\\Program Files (x86)\\Common Files"
                                                                   : "C:\\Program Files\\Common Files");
    files.SetVariable("CommonProgramW6432", "C:\\Program Files\\Common Files");
    files.SetVariable("CommonProgramFiles(x86)", "C:\\Program Files (x86)\\Common Files");
    // Each system folder holds its own copy, as on Windows.
    for (const char* host : {"cmd.exe", "msiexec.exe", "wscript.exe", "cscript.exe", "regsvr32.exe"}) {
      files.AddFile(std::string("C:\\WINDOWS\\System32\\") + host);
      files.AddFile(std::string("C:\\WINDOWS\\SysWOW64\\") + host);
    }
    files.AddFile("C:\\WINDOWS\\System32\\WindowsPowerShell\\v1.0\\powershell.exe");
    files.AddFile("C:\\WINDOWS\\SysWOW64\\WindowsPowerShell\\v1.0\\powershell.exe");
    files.SetPathFolders({"C:\\WINDOWS\\System32\\WindowsPowerShell\\v1.0"});
    files.AddFile("C:\\Program Files\\PowerShell\\7\\pwsh.exe");
    // The other width's copies of the program-folder shapes' files: each
    // view judged by its own folders only.
    files.AddFile("C:\\Program Files\\App\\x86.dll");
    files.AddFile("C:\\Program Files\\Common Files\\App\\common.dll");
    files.AddFile("C:\\Program Files (x86)\\App\\x64.dll");
    if (shape.file && file_is != FileIs::kGone) {
      const std::string file = shape.file;
      if (file.ends_with('\\')) files.AddFolder(file);
      else files.AddFile(file);
      if (file_is == FileIs::kBehindADeniedFolder) files.SetLookupError(FolderOf(file), file_error::kAccessDenied);
    }
    const std::string name = std::string(shape.value) == "@" ? "@" : '"' + std::string(shape.value) + '"';
    ImportRegText(registry,
                  "REGEDIT4\n\n[" + std::string(shape.key) + "]\n" + name + '=' + ExpandSzBytes(shape.data) + '\n');
    harness.SetKnowledgeBase(kRules);
  }

  std::vector<std::string> Problems() {
    harness.Scan();
    return harness.view.Problems();
  }

 private:
  MemoryRegistry registry;
  MemoryFileSystem files;
  QueuedUiThread ui;
  ScanHarness harness{registry, files, ui};
};

TEST(CommandLineShapes, ValidLinesPassStaleOnesAreReportedAndWhatCannotBeSeenIsNot) {
  for (const bool thirty_two_bit_program : {false, true}) {
    for (const Shape& shape : kShapes) {
      SCOPED_TRACE(std::string(shape.shape) + (thirty_two_bit_program ? ", 32-bit program" : ", native program"));
      EXPECT_EQ(World(shape, FileIs::kThere, thirty_two_bit_program).Problems(), std::vector<std::string>{})
          << "with its file there";
      EXPECT_EQ(World(shape, FileIs::kGone, thirty_two_bit_program).Problems().size(),
                shape.stale_without_file ? 1u : 0u)
          << "with its file gone";
      EXPECT_EQ(World(shape, FileIs::kBehindADeniedFolder, thirty_two_bit_program).Problems(),
                std::vector<std::string>{})
          << "behind a folder that denies access";
    }
  }
}

}  // namespace
