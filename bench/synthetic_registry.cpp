#include "bench/synthetic_registry.h"

#include <algorithm>
#include <cstdio>
#include <random>

#include "platform/root_keys.h"

namespace {

// Files that every Windows system has in its system folder.
constexpr const char* kSystemDlls[] = {
    "ole32.dll",    "oleaut32.dll", "shell32.dll", "urlmon.dll",        "mshtml.dll",   "msxml3.dll",
    "quartz.dll",   "ieframe.dll",  "actxprxy.dll", "windowscodecs.dll", "comdlg32.dll", "shdocvw.dll",
    "propsys.dll",  "combase.dll",  "rpcrt4.dll",  "msi.dll",           "jscript.dll",  "vbscript.dll",
    "scrrun.dll",   "msctf.dll",
};
constexpr const char* kSystemPrograms[] = {"notepad.exe", "write.exe", "explorer.exe"};

constexpr const char* kClassesPrefix = "HKEY_CLASSES_ROOT\\";
constexpr const char* kMachinePrefix = "HKEY_LOCAL_MACHINE\\";
constexpr const char* kCurrentVersion = "Software\\Microsoft\\Windows\\CurrentVersion\\";
// The 32-bit programs' copy of the software branch and of the class
// tables the system keeps apart per view.
constexpr const char* kCurrentVersion32 = "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\";
constexpr const char* kClasses32 = "Wow6432Node\\";

// Interfaces name one of these first classes as their proxy.
constexpr std::size_t kProxyClasses = 8;

struct Value {
  std::string name;
  RegValue value;
};

RegValue Text(std::uint32_t type, const std::string& text) {
  RegValue value{type, std::vector<std::uint8_t>(text.begin(), text.end())};
  value.data.push_back(0);
  return value;
}
RegValue Sz(const std::string& text) { return Text(kRegSz, text); }
RegValue ExpandSz(const std::string& text) { return Text(kRegExpandSz, text); }
RegValue Dword(std::uint32_t number) {
  return RegValue{kRegDword, {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
                              static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)}};
}

RegValue Blob(std::uint32_t size) {
  RegValue value{kRegBinary, std::vector<std::uint8_t>(size)};
  for (std::uint32_t i = 0; i < size; ++i) value.data[i] = static_cast<std::uint8_t>(i * 37 + size);
  return value;
}

// Kinds keep the identifiers of classes, interfaces, libraries and missing
// things apart.
enum GuidKind : unsigned { kClass = 1, kInterface, kLibrary, kProduct, kMissing, kUserClass };

std::string Guid(GuidKind kind, std::size_t number) {
  char text[64];
  std::snprintf(text, sizeof text, "{%08X-B3C4-4E5A-9%03X-%012llX}", 0xBE7C0000u + kind, kind,
                static_cast<unsigned long long>(number));
  return text;
}

class Generator {
 public:
  Generator(Registry& registry, const SyntheticShape& shape, SyntheticRegistry& out)
      : registry_(registry), shape_(shape), out_(out), rng_(shape.seed) {}

  void Run() {
    const std::size_t n = shape_.keys;
    products_ = std::max<std::size_t>(8, n / 1000);
    libraries_ = n * 6 / 1000;
    for (const char* dll : kSystemDlls) out_.system_files.push_back(dll);
    for (const char* program : kSystemPrograms) out_.system_files.push_back(program);
    for (std::size_t p = 0; p < products_; ++p) {
      out_.program_files.push_back(ProgramExe(p));
      out_.program_files.push_back(ProgramExe32(p));
      for (unsigned k = 0; k < kDllsPerProduct; ++k) {
        out_.program_files.push_back(ProgramDll(p, k));
        out_.program_files.push_back(ProgramDll32(p, k));
      }
    }
    for (std::size_t i = 0; i < libraries_; ++i) TypeLibrary(i);
    classes_ = std::max(kProxyClasses, n * 45 / 1000);
    for (std::size_t i = 0; i < classes_; ++i) Class(i);
    // As on 64-bit Windows 11: many classes and interfaces registered
    // again for 32-bit programs, under the same identifiers, and a few
    // classes of the user's own.
    for (std::size_t i = 0; i < n * 20 / 1000; ++i) Class32(i);
    user_classes_ = std::max<std::size_t>(2, n / 2000);
    for (std::size_t i = 0; i < user_classes_; ++i) UserClass(i);
    for (std::size_t i = 0; i < n * 50 / 1000; ++i) Interface(i, "");
    for (std::size_t i = 0; i < n * 35 / 1000; ++i) Interface(i, kClasses32);
    for (std::size_t i = 0; i < n / 100; ++i) FileType(i);
    for (std::size_t i = 0; i < n / 500; ++i) AppPath(i);
    for (std::size_t i = 0; i < n / 500; ++i) Uninstall(kCurrentVersion, i);
    for (std::size_t i = n / 500; i < n / 500 + n / 1000; ++i) Uninstall(kCurrentVersion32, i);
    ValueList(kCurrentVersion + std::string("Run"), 10 + n / 20000, [&](std::size_t i, bool stale) {
      return Value{"BenchAgent" + std::to_string(i), Sz(Quoted(stale ? MissingExe() : RandomExe()) + " /background")};
    });
    ValueList(kCurrentVersion32 + std::string("Run"), 5 + n / 40000, [&](std::size_t i, bool stale) {
      return Value{"BenchAgent32_" + std::to_string(i),
                   Sz(Quoted(stale ? MissingExe() : ProgramExe32(RandomProduct())) + " /tray")};
    });
    ValueList(kCurrentVersion + std::string("SharedDLLs"), n / 200, [&](std::size_t, bool stale) {
      return Value{stale ? MissingFullPath() : RandomProgramDll(), Dword(1 + Next(5))};
    });
    // Keys no rule looks at: most in the machine's software branch, some in
    // its 32-bit copy, some in the user's.
    for (std::size_t c = 0; out_.keys < n; ++c) {
      const std::uint32_t where = Next(100);
      FillerComponent(where < 75 ? kHkeyLocalMachine : kHkeyCurrentUser,
                      where < 63 ? "Software\\Bench Components\\"
                      : where < 75 ? "Software\\Wow6432Node\\Bench Components\\"
                                   : "Software\\Bench User Settings\\",
                      c);
    }
  }

 private:
  static constexpr unsigned kDllsPerProduct = 4;

  std::uint32_t Next(std::uint32_t below) { return static_cast<std::uint32_t>(rng_() % below); }
  bool Stale() { return Next(100) < shape_.stale_percent; }

  void Key(RootKey root, const std::string& path, const std::vector<Value>& values) {
    std::unique_ptr<RegKey> key = registry_.OpenWrite(root, path);
    for (const Value& value : values) key->SetValue(value.name, value.value);
    ++out_.keys;
    out_.values += values.size();
  }
  void MachineKey(const std::string& path, const std::vector<Value>& values) {
    Key(kHkeyLocalMachine, path, values);
  }
  // A key below the classes root, counted once even when mirrored.
  void ClassKey(const std::string& path, const std::vector<Value>& values) {
    Key(kHkeyLocalMachine, "Software\\Classes\\" + path, values);
    if (!shape_.mirror_classes_root) return;
    Key(kHkeyClassesRoot, path, values);
    --out_.keys;
    out_.values -= values.size();
  }
  void Plant(const std::string& full_path) { out_.planted.push_back(full_path); }

  static std::string ProgramFolder(std::size_t product) {
    return "C:\\Program Files\\Bench Vendor " + std::to_string(product % 50) + "\\Product " +
           std::to_string(product);
  }
  static std::string ProgramExe(std::size_t product) {
    return ProgramFolder(product) + "\\app" + std::to_string(product) + ".exe";
  }
  static std::string ProgramDll(std::size_t product, unsigned k) {
    return ProgramFolder(product) + "\\comp" + std::to_string(product) + "_" + std::to_string(k) + ".dll";
  }
  static std::string ProgramFolder32(std::size_t product) {
    return "C:\\Program Files (x86)\\Bench Vendor " + std::to_string(product % 50) + "\\Product " +
           std::to_string(product);
  }
  static std::string ProgramExe32(std::size_t product) {
    return ProgramFolder32(product) + "\\app" + std::to_string(product) + ".exe";
  }
  static std::string ProgramDll32(std::size_t product, unsigned k) {
    return ProgramFolder32(product) + "\\comp" + std::to_string(product) + "_" + std::to_string(k) + ".dll";
  }
  static std::string Quoted(const std::string& text) { return "\"" + text + "\""; }
  std::size_t RandomProduct() { return Next(static_cast<std::uint32_t>(products_)); }
  std::string RandomExe() { return ProgramExe(RandomProduct()); }
  std::string RandomProgramDll() { return ProgramDll(RandomProduct(), Next(kDllsPerProduct)); }
  const char* RandomSystemDll() { return kSystemDlls[Next(std::size(kSystemDlls))]; }

  // Each missing name is distinct, as the leftovers of different programs.
  std::string MissingFullPath() { return "C:\\Program Files\\Bench Removed\\gone" + std::to_string(missing_++) + ".dll"; }
  std::string MissingExe() { return "C:\\Program Files\\Bench Removed\\gone" + std::to_string(missing_++) + ".exe"; }
  std::string MissingFile() { return missing_ % 2 ? MissingFullPath() : "benchgone" + std::to_string(missing_++) + ".dll"; }
  std::string MissingGuid() { return Guid(kMissing, missing_++); }

  // Most servers are system files, named in the ways real registries do.
  RegValue ServerFile() {
    const std::uint32_t form = Next(100);
    if (form < 45) return Sz(std::string("C:\\Windows\\System32\\") + RandomSystemDll());
    if (form < 70) return ExpandSz(std::string("%SystemRoot%\\System32\\") + RandomSystemDll());
    if (form < 90) return Sz(RandomSystemDll());
    return Sz(RandomProgramDll());
  }
  RegValue ServerFile32() {
    const std::uint32_t form = Next(100);
    if (form < 50) return Sz(std::string("C:\\Windows\\SysWOW64\\") + RandomSystemDll());
    if (form < 70) return ExpandSz(std::string("%SystemRoot%\\SysWOW64\\") + RandomSystemDll());
    if (form < 85) return Sz(RandomSystemDll());
    return Sz(ProgramDll32(RandomProduct(), Next(kDllsPerProduct)));
  }

  void TypeLibrary(std::size_t i) {
    const std::string key = "TypeLib\\" + Guid(kLibrary, i);
    ClassKey(key, {});
    ClassKey(key + "\\1.0", {{"", Sz("Bench type library " + std::to_string(i))}});
    ClassKey(key + "\\1.0\\0", {});
    RegValue file = ServerFile();
    if (Stale()) {
      file = Sz(MissingFile());
      Plant(kClassesPrefix + key + "\\1.0\\0\\win64");
    }
    ClassKey(key + "\\1.0\\0\\win64", {{"", file}});
    ClassKey(key + "\\1.0\\0\\win32", {{"", Sz(std::string("C:\\Windows\\SysWOW64\\") + RandomSystemDll())}});
    ClassKey(key + "\\1.0\\FLAGS", {{"", Sz("0")}});
    ClassKey(key + "\\1.0\\HELPDIR", {{"", Sz(ProgramFolder(RandomProduct()))}});
  }

  void Class(std::size_t i) {
    const std::string clsid = Guid(kClass, i);
    const std::string key = "CLSID\\" + clsid;
    const bool can_be_stale = i >= kProxyClasses;
    ClassKey(key, {{"", Sz("Bench class " + std::to_string(i))}});
    if (Next(10) < 9) {
      RegValue server = ServerFile();
      if (can_be_stale && Stale()) {
        server = Sz(MissingFile());
        Plant(kClassesPrefix + key + "\\InprocServer32");
      }
      ClassKey(key + "\\InprocServer32", {{"", server}, {"ThreadingModel", Sz("Both")}});
    } else {
      std::string program = RandomExe();
      if (can_be_stale && Stale()) {
        program = MissingExe();
        Plant(kClassesPrefix + key + "\\LocalServer32");
      }
      ClassKey(key + "\\LocalServer32", {{"", Sz(Quoted(program) + " /automation")}});
    }
    if (can_be_stale && Next(10) < 4) ProgIds(i, clsid);
    if (libraries_ > 0 && Next(100) < 15) {
      std::string library = Guid(kLibrary, Next(static_cast<std::uint32_t>(libraries_)));
      if (Stale()) {
        library = MissingGuid();
        Plant(kClassesPrefix + key + "\\TypeLib");
      }
      ClassKey(key + "\\TypeLib", {{"", Sz(library)}});
    }
    if (Next(10) < 3) {
      ClassKey(key + "\\Implemented Categories", {});
      ClassKey(key + "\\Implemented Categories\\" + Guid(kProduct, Next(20)), {});
    }
  }

  // A versioned ProgID, its version-independent twin, and the class's links
  // to both.
  void ProgIds(std::size_t i, const std::string& clsid) {
    const std::string name = "Bench.Class" + std::to_string(i);
    const std::string versioned = name + ".1";
    std::string link = versioned;
    if (Stale()) {
      link = "Bench.Missing" + std::to_string(missing_++);
      Plant(kClassesPrefix + std::string("CLSID\\") + clsid + "\\ProgID");
    }
    ClassKey("CLSID\\" + clsid + "\\ProgID", {{"", Sz(link)}});
    ClassKey("CLSID\\" + clsid + "\\VersionIndependentProgID", {{"", Sz(name)}});
    std::string named_class = clsid;
    if (Stale()) {
      named_class = MissingGuid();
      Plant(kClassesPrefix + versioned + "\\CLSID");
    }
    ClassKey(versioned, {{"", Sz("Bench class " + std::to_string(i))}});
    ClassKey(versioned + "\\CLSID", {{"", Sz(named_class)}});
    ClassKey(name, {{"", Sz("Bench class " + std::to_string(i))}});
    ClassKey(name + "\\CLSID", {{"", Sz(clsid)}});
    ClassKey(name + "\\CurVer", {{"", Sz(versioned)}});
  }

  // A 32-bit program's registration of class i, under its identifier.
  void Class32(std::size_t i) {
    const std::string key = std::string(kClasses32) + "CLSID\\" + Guid(kClass, i);
    ClassKey(key, {{"", Sz("Bench class " + std::to_string(i))}});
    const bool can_be_stale = i >= kProxyClasses;
    if (Next(10) < 9) {
      RegValue server = ServerFile32();
      if (can_be_stale && Stale()) {
        server = Sz(MissingFile());
        Plant(kClassesPrefix + key + "\\InprocServer32");
      }
      ClassKey(key + "\\InprocServer32", {{"", server}, {"ThreadingModel", Sz("Apartment")}});
    } else {
      std::string program = ProgramExe32(RandomProduct());
      if (can_be_stale && Stale()) {
        program = MissingExe();
        Plant(kClassesPrefix + key + "\\LocalServer32");
      }
      ClassKey(key + "\\LocalServer32", {{"", Sz(Quoted(program))}});
    }
  }

  // A class the user registered for themselves, as per-user installers do;
  // interfaces of the machine may name it.
  void UserClass(std::size_t i) {
    const std::string key = "Software\\Classes\\CLSID\\" + Guid(kUserClass, i);
    Key(kHkeyCurrentUser, key, {{"", Sz("Bench user class " + std::to_string(i))}});
    Key(kHkeyCurrentUser, key + "\\InprocServer32", {{"", Sz(RandomProgramDll())}, {"ThreadingModel", Sz("Both")}});
  }

  // An interface in the 64-bit view (view "") or the 32-bit one.
  void Interface(std::size_t i, const std::string& view) {
    const std::string key = view + "Interface\\" + Guid(kInterface, i);
    ClassKey(key, {{"", Sz("IBench" + std::to_string(i))}});
    std::string proxy = Next(50) ? Guid(kClass, Next(kProxyClasses)) : Guid(kUserClass, Next(user_classes_));
    if (Stale()) {
      proxy = MissingGuid();
      Plant(kClassesPrefix + key + "\\ProxyStubClsid32");
    }
    ClassKey(key + "\\ProxyStubClsid32", {{"", Sz(proxy)}});
    ClassKey(key + "\\NumMethods", {{"", Sz(std::to_string(3 + Next(20)))}});
    if (libraries_ > 0 && Next(2) == 0) {
      std::string library = Guid(kLibrary, Next(static_cast<std::uint32_t>(libraries_)));
      if (Stale()) {
        library = MissingGuid();
        Plant(kClassesPrefix + key + "\\TypeLib");
      }
      ClassKey(key + "\\TypeLib", {{"", Sz(library)}, {"Version", Sz("1.0")}});
    }
  }

  void FileType(std::size_t i) {
    const std::string type = "Bench.Document" + std::to_string(i);
    ClassKey(".bench" + std::to_string(i), {{"", Sz(type)}});
    ClassKey(type, {{"", Sz("Bench document")}});
    ClassKey(type + "\\DefaultIcon", {{"", Sz(RandomExe() + ",1")}});
    ClassKey(type + "\\shell", {});
    ClassKey(type + "\\shell\\open", {});
    std::string command;
    switch (Next(3)) {
      case 0: command = Quoted(RandomExe()) + " \"%1\""; break;
      case 1: command = "%SystemRoot%\\System32\\notepad.exe %1"; break;
      default: command = "notepad.exe %1"; break;
    }
    if (Stale()) {
      command = Quoted(MissingExe()) + " \"%1\"";
      Plant(kClassesPrefix + type + "\\shell\\open\\command");
    }
    ClassKey(type + "\\shell\\open\\command", {{"", Sz(command)}});
  }

  void AppPath(std::size_t i) {
    const std::string key = kCurrentVersion + std::string("App Paths\\benchapp") + std::to_string(i) + ".exe";
    const std::size_t product = RandomProduct();
    std::string program = ProgramExe(product);
    if (Stale()) {
      program = MissingExe();
      Plant(kMachinePrefix + key);
    }
    MachineKey(key, {{"", Sz(program)}, {"Path", Sz(ProgramFolder(product))}});
  }

  // At most one bad value per entry: two would make one problem.
  void Uninstall(const char* branch, std::size_t i) {
    const std::string key = branch + std::string("Uninstall\\") + Guid(kProduct, i);
    const std::size_t product = RandomProduct();
    std::string icon = ProgramExe(product) + ",0";
    std::string folder = ProgramFolder(product);
    if (Stale()) {
      if (Next(2))
        icon = MissingExe() + ",0";
      else
        folder = "C:\\Program Files\\Bench Removed\\Product " + std::to_string(missing_++);
      Plant(kMachinePrefix + key);
    }
    MachineKey(key, {{"DisplayName", Sz("Bench product " + std::to_string(i))},
                     {"DisplayVersion", Sz("1.0." + std::to_string(i))},
                     {"Publisher", Sz("Bench Vendor " + std::to_string(product % 50))},
                     {"DisplayIcon", Sz(icon)},
                     {"InstallLocation", Sz(folder)},
                     {"UninstallString", Sz("MsiExec.exe /X" + Guid(kProduct, i))},
                     {"EstimatedSize", Dword(1024 + Next(100000))}});
  }

  // One key of many values; its bad values make one problem.
  template <typename MakeValue>
  void ValueList(const std::string& path, std::size_t count, MakeValue make) {
    std::vector<Value> values;
    bool any_stale = false;
    for (std::size_t i = 0; i < count; ++i) {
      const bool stale = Stale();
      any_stale = any_stale || stale;
      values.push_back(make(i, stale));
    }
    MachineKey(path, values);
    if (any_stale) Plant(kMachinePrefix + path);
  }

  // Keys no rule looks at, as most of a real registry.
  // Their values as settings have them: texts, numbers and now and then a
  // binary blob of a few dozen to a few hundred bytes.
  void FillerComponent(RootKey root, const std::string& branch, std::size_t c) {
    const std::string key = branch + "Component" + std::to_string(c);
    Key(root, key, {{"Name", Sz("Component " + std::to_string(c))}, {"Size", Dword(Next(1 << 20))},
                    {"Version", Sz("10.0." + std::to_string(Next(30000)) + ".1")}});
    for (unsigned k = 0; k < 9 && out_.keys < shape_.keys; ++k) {
      std::vector<Value> values = {{"", Sz(RandomProgramDll())}, {"Flags", Dword(k)}};
      if (Next(10) < 6) values.push_back({"InstallDate", Sz("2024" + std::to_string(1010 + Next(1200)))});
      if (Next(10) < 4) values.push_back({"State", Blob(16 + Next(240))});
      Key(root, key + "\\Part" + std::to_string(k), values);
    }
  }

  Registry& registry_;
  const SyntheticShape& shape_;
  SyntheticRegistry& out_;
  std::mt19937 rng_;
  std::size_t products_ = 0;
  std::size_t libraries_ = 0;
  std::size_t classes_ = 0;
  std::size_t user_classes_ = 0;
  std::size_t missing_ = 0;
};

}  // namespace

SyntheticRegistry GenerateRegistry(Registry& registry, const SyntheticShape& shape) {
  SyntheticRegistry out;
  Generator(registry, shape, out).Run();
  return out;
}

void AddReferencedFiles(MemoryFileSystem& files, const SyntheticRegistry& generated) {
  // Servers named through %SystemRoot% are judged, as on a real machine.
  files.SetVariable("SystemRoot", "C:\\WINDOWS");
  for (const std::string& name : generated.system_files) {
    files.AddFile("C:\\WINDOWS\\SYSTEM32\\" + name);
    files.AddFile("C:\\WINDOWS\\SysWOW64\\" + name);
  }
  for (const std::string& path : generated.program_files) files.AddFile(path);
}
