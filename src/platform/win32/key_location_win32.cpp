#include "platform/win32/key_location_win32.h"

#include <cstring>
#include <string_view>
#include <vector>

namespace {

// NtQueryKey with KeyNameInformation: the only call that tells which hive a
// key of the merged classes root came from.
using NtQueryKeyFunction = LONG(WINAPI*)(HANDLE key, int information_class, void* buffer, ULONG length,
                                         ULONG* result_length);
constexpr int kKeyNameInformation = 3;
constexpr LONG kBufferOverflow = static_cast<LONG>(0x80000005L);
constexpr LONG kBufferTooSmall = static_cast<LONG>(0xC0000023L);

NtQueryKeyFunction QueryKeyFunction() {
  static const auto function = reinterpret_cast<NtQueryKeyFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryKey")));
  return function;
}

bool EqualNoCase(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() && CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                                      static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
  return text.size() >= prefix.size() && EqualNoCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace

bool IsKeyOfUserClasses(HKEY key) {
  const NtQueryKeyFunction query = QueryKeyFunction();
  if (!query) return false;
  std::vector<unsigned char> buffer(1024);
  for (;;) {
    ULONG needed = 0;
    const LONG status = query(key, kKeyNameInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status == kBufferOverflow || status == kBufferTooSmall) {
      buffer.resize(needed > buffer.size() ? needed : buffer.size() * 2);
      continue;
    }
    if (status < 0) return false;
    break;
  }
  // KEY_NAME_INFORMATION: the name's length in bytes, then the name.
  ULONG length = 0;
  std::memcpy(&length, buffer.data(), sizeof length);
  std::wstring_view name(reinterpret_cast<const wchar_t*>(buffer.data() + sizeof length), length / sizeof(wchar_t));
  constexpr std::wstring_view kUserHives = L"\\REGISTRY\\USER\\";
  if (!StartsWithNoCase(name, kUserHives)) return false;
  name.remove_prefix(kUserHives.size());
  const std::wstring_view hive = name.substr(0, name.find(L'\\'));
  if (hive.size() > 8 && EqualNoCase(hive.substr(hive.size() - 8), L"_Classes")) return true;
  name.remove_prefix(hive.size());
  return StartsWithNoCase(name, L"\\Software\\Classes\\") || EqualNoCase(name, L"\\Software\\Classes");
}
