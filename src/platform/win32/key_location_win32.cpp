#include "platform/win32/key_location_win32.h"

#include <cstring>
#include <string_view>
#include <vector>

namespace {

// NtQueryKey: the only call that tells the name of the key a handle leads
// to (the merged classes root's keys and links lead elsewhere than their
// path says).
using NtQueryKeyFunction = LONG(WINAPI*)(HANDLE key, int information_class, void* buffer, ULONG length,
                                         ULONG* result_length);
constexpr int kKeyBasicInformation = 0;
constexpr int kKeyNameInformation = 3;
constexpr LONG kBufferOverflow = static_cast<LONG>(0x80000005L);
constexpr LONG kBufferTooSmall = static_cast<LONG>(0xC0000023L);

NtQueryKeyFunction QueryKeyFunction() {
  static const auto function = reinterpret_cast<NtQueryKeyFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryKey")));
  return function;
}

// The answer of one information class; nothing when the call fails.
std::optional<std::vector<unsigned char>> QueryKey(HKEY key, int information_class) {
  const NtQueryKeyFunction query = QueryKeyFunction();
  if (!query) return std::nullopt;
  std::vector<unsigned char> buffer(1024);
  for (;;) {
    ULONG needed = 0;
    const LONG status = query(key, information_class, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status == kBufferOverflow || status == kBufferTooSmall) {
      buffer.resize(needed > buffer.size() ? needed : buffer.size() * 2);
      continue;
    }
    if (status < 0) return std::nullopt;
    return buffer;
  }
}

// A name that the answer holds as its length in bytes at one offset, the
// characters at another.
std::optional<std::wstring> NameIn(const std::optional<std::vector<unsigned char>>& answer, std::size_t length_at,
                                   std::size_t name_at) {
  if (!answer) return std::nullopt;
  ULONG length = 0;
  std::memcpy(&length, answer->data() + length_at, sizeof length);
  if (name_at + length > answer->size()) return std::nullopt;
  std::wstring name(length / sizeof(wchar_t), L'\0');
  std::memcpy(name.data(), answer->data() + name_at, name.size() * sizeof(wchar_t));
  return name;
}

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
  return text.size() >= prefix.size() && SameRegistryName(text.substr(0, prefix.size()), prefix);
}

}  // namespace

bool SameRegistryName(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() && CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                                      static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// KEY_NAME_INFORMATION: the length, then the name.
std::optional<std::wstring> KeyObjectName(HKEY key) {
  return NameIn(QueryKey(key, kKeyNameInformation), 0, sizeof(ULONG));
}

// KEY_BASIC_INFORMATION: the time of the last write, an index, the length,
// then the name.
std::optional<std::wstring> KeyStoredName(HKEY key) {
  constexpr std::size_t kLengthAt = sizeof(LARGE_INTEGER) + sizeof(ULONG);
  return NameIn(QueryKey(key, kKeyBasicInformation), kLengthAt, kLengthAt + sizeof(ULONG));
}

bool IsUserClassesName(std::wstring_view name) {
  constexpr std::wstring_view kUserHives = L"\\REGISTRY\\USER\\";
  if (!StartsWithNoCase(name, kUserHives)) return false;
  name.remove_prefix(kUserHives.size());
  const std::wstring_view hive = name.substr(0, name.find(L'\\'));
  if (hive.size() > 8 && SameRegistryName(hive.substr(hive.size() - 8), L"_Classes")) return true;
  name.remove_prefix(hive.size());
  return StartsWithNoCase(name, L"\\Software\\Classes\\") || SameRegistryName(name, L"\\Software\\Classes");
}

bool IsKeyOfUserClasses(HKEY key) {
  const std::optional<std::wstring> name = KeyObjectName(key);
  return name && IsUserClassesName(*name);
}
