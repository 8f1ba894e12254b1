// A minimal in-process COM server for tests. Its registration writes what
// real servers write: a class with InprocServer32, TypeLib and ProgID keys,
// the ProgID with its CLSID key, an interface with ProxyStubClsid32 and
// TypeLib keys, and a type library naming this file.
//
// It never writes to a machine's real classes: the classes root is read
// from TARNEL_TEST_CLASSES (a key path below HKEY_CURRENT_USER), and
// without it registration fails.
#include <windows.h>

#include <string>

namespace {

HMODULE g_module = nullptr;

constexpr const char* kClass = "{7A4E1DE0-0000-4000-8000-00000000C0C0}";
constexpr const char* kInterface = "{7A4E1DE0-0000-4000-8000-00000000C0C1}";
constexpr const char* kTypeLib = "{7A4E1DE0-0000-4000-8000-00000000C0C2}";
constexpr const char* kProgId = "TarnelTest.Server.1";

bool ClassesRoot(std::string& root) {
  char buffer[1024];
  const DWORD length = GetEnvironmentVariableA("TARNEL_TEST_CLASSES", buffer, sizeof buffer);
  if (length == 0 || length >= sizeof buffer) return false;
  root.assign(buffer, length);
  return true;
}

bool SetDefault(const std::string& key_path, const std::string& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key_path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return false;
  const LONG result = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                     static_cast<DWORD>(value.size() + 1));
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

std::string ModulePath() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(g_module, path, MAX_PATH);
  return std::string(path, length);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_module = instance;
  return TRUE;
}

extern "C" __declspec(dllexport) HRESULT __stdcall DllRegisterServer() {
  std::string root;
  if (!ClassesRoot(root)) return E_FAIL;
  const std::string cls = root + "\\CLSID\\" + kClass;
  const std::string itf = root + "\\Interface\\" + kInterface;
  const bool ok = SetDefault(cls, "Tarnel test server") && SetDefault(cls + "\\InprocServer32", ModulePath()) &&
                  SetDefault(cls + "\\ProgID", kProgId) && SetDefault(cls + "\\TypeLib", kTypeLib) &&
                  SetDefault(root + "\\" + kProgId, "Tarnel test server") &&
                  SetDefault(root + "\\" + kProgId + "\\CLSID", kClass) && SetDefault(itf, "ITarnelTest") &&
                  SetDefault(itf + "\\ProxyStubClsid32", kClass) && SetDefault(itf + "\\TypeLib", kTypeLib) &&
                  SetDefault(root + "\\TypeLib\\" + kTypeLib + "\\1.0\\0\\win64", ModulePath());
  return ok ? S_OK : E_FAIL;
}

extern "C" __declspec(dllexport) HRESULT __stdcall DllUnregisterServer() { return S_OK; }

extern "C" __declspec(dllexport) HRESULT __stdcall DllGetClassObject(REFCLSID, REFIID, void** object) {
  if (object) *object = nullptr;
  return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" __declspec(dllexport) HRESULT __stdcall DllCanUnloadNow() { return S_OK; }
