#include "platform/win32/registry_win32.h"

#include <windows.h>

#include <utility>

#include "platform/registry_code_page.h"
#include "platform/root_keys.h"
#include "platform/win32/code_page_win32.h"
#include "platform/win32/key_location_win32.h"
#include "platform/win32/wow64_win32.h"

using Opening = Win32Registry::Opening;

namespace {

// The longest value name the registry accepts, plus its terminator.
constexpr DWORD kValueNameBuffer = 16384;
// The longest key name, plus its terminator; longer names grow the buffer.
constexpr DWORD kKeyNameBuffer = 256;

class UniqueHkey {
 public:
  UniqueHkey() = default;
  explicit UniqueHkey(HKEY key) : key_(key) {}
  UniqueHkey(UniqueHkey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
  UniqueHkey& operator=(UniqueHkey&& other) noexcept {
    if (this != &other) {
      if (key_) RegCloseKey(key_);
      key_ = std::exchange(other.key_, nullptr);
    }
    return *this;
  }
  ~UniqueHkey() {
    if (key_) RegCloseKey(key_);
  }
  HKEY get() const { return key_; }
  HKEY* put() { return &key_; }

 private:
  HKEY key_ = nullptr;
};

// A name or path in the program's code page as the system addresses it;
// empty when the code page has no such text.
std::optional<std::wstring> SystemName(const std::string& name, const CodePage& code_page) {
  const std::optional<std::u16string> wide = code_page.ToWide(name);
  if (!wide) return std::nullopt;
  return std::wstring(wide->begin(), wide->end());
}

// Paths go to the system in pieces of at most this many characters (Wine
// refuses longer ones given whole), each relative to the key opened before.
constexpr std::size_t kPathPieceLimit = 260;

// Opens or creates the key path below parent, through the UTF-16 functions:
// a name reaches the system exactly, whatever its length in the code page
// (180 Cyrillic characters are 360 bytes of UTF-8, more than the ANSI
// functions take for a key name).
LONG OpenPath(HKEY parent, const std::wstring& path, Opening opening, REGSAM view, UniqueHkey& result) {
  const REGSAM access = (opening == Opening::kRead ? KEY_READ : KEY_READ | KEY_WRITE) | view;
  auto open = [&](HKEY from, const std::wstring& piece, HKEY* key) {
    return opening == Opening::kCreate ? RegCreateKeyExW(from, piece.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, key,
                                    nullptr)
                  : RegOpenKeyExW(from, piece.c_str(), 0, access, key);
  };
  if (path.size() <= kPathPieceLimit || path.front() == L'\\') return open(parent, path, result.put());
  UniqueHkey current;
  std::size_t start = 0;
  while (start < path.size()) {
    std::size_t end = path.size();
    if (end - start > kPathPieceLimit) {
      end = path.rfind(L'\\', start + kPathPieceLimit);
      if (end == std::wstring::npos || end <= start) return ERROR_INVALID_PARAMETER;  // a name over the limit
    }
    UniqueHkey next;
    const LONG status = open(current.get() ? current.get() : parent, path.substr(start, end - start), next.put());
    if (status != ERROR_SUCCESS) return status;
    current = std::move(next);
    start = end + 1;
  }
  result = std::move(current);
  return ERROR_SUCCESS;
}

LONG OpenPath(HKEY parent, const std::string& path, const CodePage& code_page, Opening opening, REGSAM view,
              UniqueHkey& result) {
  const std::optional<std::wstring> wide = SystemName(path, code_page);
  return wide ? OpenPath(parent, *wide, opening, view, result) : ERROR_NO_UNICODE_TRANSLATION;
}

// Predefined handles are sign-extended 32-bit values, also in 64-bit code.
HKEY PredefinedKey(RootKey root) {
  if (root < kHkeyClassesRoot || root > kHkeyDynData) return nullptr;
  return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

// Subkey names in UTF-16, in the registry's order.
std::vector<std::u16string> EnumerateSubkeys(HKEY key) {
  std::vector<std::u16string> names;
  std::u16string buffer(kKeyNameBuffer, u'\0');
  for (DWORD index = 0;;) {
    DWORD length = static_cast<DWORD>(buffer.size());
    const LONG status = RegEnumKeyExW(key, index, reinterpret_cast<wchar_t*>(buffer.data()), &length, nullptr,
                                      nullptr, nullptr, nullptr);
    if (status == ERROR_MORE_DATA) {
      buffer.resize(buffer.size() * 2);
      continue;
    }
    if (status != ERROR_SUCCESS) break;
    names.emplace_back(buffer.data(), length);
    ++index;
  }
  return names;
}

std::vector<std::u16string> EnumerateValues(HKEY key) {
  std::vector<std::u16string> names;
  std::u16string buffer(kValueNameBuffer, u'\0');
  for (DWORD index = 0;; ++index) {
    DWORD length = static_cast<DWORD>(buffer.size());
    if (RegEnumValueW(key, index, reinterpret_cast<wchar_t*>(buffer.data()), &length, nullptr, nullptr, nullptr,
                      nullptr) != ERROR_SUCCESS)
      break;
    names.emplace_back(buffer.data(), length);
  }
  return names;
}

// The value as stored: text types in UTF-16.
std::optional<RegValue> QueryWideValue(HKEY key, const std::u16string& name) {
  const auto* wide_name = reinterpret_cast<const wchar_t*>(name.c_str());
  RegValue value;
  DWORD type = 0;
  // Most values fit the first buffer: one call reads them. A larger one
  // says its size, and can grow before the next call; then ask again.
  DWORD size = 256;
  for (;;) {
    value.data.resize(size);
    const LONG status = RegQueryValueExW(key, wide_name, nullptr, &type, size ? value.data.data() : nullptr, &size);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) return std::nullopt;
    value.data.resize(size);
    value.type = type;
    return value;
  }
}

// Text types are converted as the ANSI function would, but exactly: text
// the code page does not hold is refused, not written with stand-ins.
bool SetValueOf(HKEY key, const std::string& name, const RegValue& value, const CodePage& code_page) {
  const std::optional<std::wstring> wide_name = SystemName(name, code_page);
  std::optional<RegValue> stored = ValueToWide(value, code_page);
  if (!wide_name || !stored || stored->data.size() >= MAXDWORD - 2) return false;
  const DWORD size = static_cast<DWORD>(stored->data.size());
  // The call counts a string's missing terminator in when the character
  // just behind the data is zero (and it reads that character even when it
  // lies outside the data). A non-zero one there keeps the data exactly as
  // given.
  stored->data.push_back(0xFF);
  stored->data.push_back(0xFF);
  return RegSetValueExW(key, wide_name->c_str(), 0, stored->type, stored->data.data(), size) == ERROR_SUCCESS;
}

// Whether the machine's classes hold the key of the classes root at that
// path (in UTF-16); the merged root then shows it from both.
bool MachineClassesHold(const std::wstring& path, REGSAM view);

// The last name of a path: what a key opened by it was asked for by.
std::wstring LastName(const std::wstring& path) {
  const std::size_t slash = path.rfind(L'\\');
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

class Win32RegKey : public RegKey {
 public:
  // path: below the root; classes_root: whether the root is
  // HKEY_CLASSES_ROOT, which shows two keys as one.
  Win32RegKey(UniqueHkey&& key, const CodePage& code_page, const std::wstring& path, bool classes_root, REGSAM view)
      : key_(std::move(key)),
        code_page_(code_page),
        opened_as_(LastName(path)),
        classes_path_(classes_root ? std::optional<std::wstring>(path) : std::nullopt),
        view_(view) {}

  // The unreadable names come from the listing just before, when there is
  // one: asked right after the readable ones, both lists are of one
  // enumeration, and the names are enumerated once.
  std::vector<std::string> SubkeyNames() override { return Listed(subkeys_, EnumerateSubkeys, true).readable; }
  std::vector<std::string> ValueNames() override { return Listed(values_, EnumerateValues, true).readable; }
  std::vector<std::string> UnreadableSubkeyNames() override {
    return Listed(subkeys_, EnumerateSubkeys, false).unreadable;
  }
  std::vector<std::string> UnreadableValueNames() override {
    return Listed(values_, EnumerateValues, false).unreadable;
  }
  std::optional<RegValue> QueryValue(const std::string& name) override {
    const std::optional<std::u16string> wide_name = code_page_.ToWide(name);
    if (!wide_name) return std::nullopt;
    const std::optional<RegValue> wide = QueryWideValue(key_.get(), *wide_name);
    if (!wide) return std::nullopt;
    return ValueFromWide(*wide, code_page_);
  }
  std::optional<std::string> ClassName() override {
    std::u16string buffer(256, u'\0');
    for (;;) {
      DWORD length = static_cast<DWORD>(buffer.size());
      const LONG status = RegQueryInfoKeyW(key_.get(), reinterpret_cast<wchar_t*>(buffer.data()), &length, nullptr,
                                           nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
      if (status == ERROR_MORE_DATA) {
        buffer.resize(buffer.size() * 2);
        continue;
      }
      if (status != ERROR_SUCCESS) return std::nullopt;
      return code_page_.FromWide(std::u16string(buffer.data(), length));
    }
  }
  std::optional<std::string> StoredName() override {
    const std::optional<std::wstring> stored = opened_as_.empty() ? std::nullopt : KeyStoredName(key_.get());
    // Another name is the one of the key a link led to.
    if (!stored || !SameRegistryName(*stored, opened_as_)) return std::nullopt;
    return code_page_.FromWide(std::u16string(stored->begin(), stored->end()));
  }
  std::optional<std::string> StoredValueName(const std::string& name) override {
    const std::optional<std::u16string> wide = code_page_.ToWide(name);
    if (!wide) return std::nullopt;
    for (const std::u16string& stored : EnumerateValues(key_.get()))
      if (SameRegistryName(std::wstring(stored.begin(), stored.end()), std::wstring(wide->begin(), wide->end())))
        return code_page_.FromWide(stored);
    return std::nullopt;
  }
  std::string Identity() override {
    std::optional<std::wstring> name = KeyObjectName(key_.get());
    if (!name) return std::string();
    if (classes_path_ && IsUserClassesName(*name) && MachineClassesHold(*classes_path_, view_))
      name = L"HKEY_CLASSES_ROOT\\" + *classes_path_;
    // One key may be named in other letter cases over time; the registry
    // takes them all for one.
    CharUpperBuffW(name->data(), static_cast<DWORD>(name->size()));
    return std::string(reinterpret_cast<const char*>(name->data()), name->size() * sizeof(wchar_t));
  }
  bool SetValue(const std::string& name, const RegValue& value) override {
    values_.reset();
    return SetValueOf(key_.get(), name, value, code_page_);
  }
  bool DeleteValue(const std::string& name) override {
    values_.reset();
    const std::optional<std::wstring> wide = SystemName(name, code_page_);
    return wide && RegDeleteValueW(key_.get(), wide->c_str()) == ERROR_SUCCESS;
  }

 private:
  const NamesInCodePage& Listed(std::optional<NamesInCodePage>& last, std::vector<std::u16string> (*enumerate)(HKEY),
                                bool fresh) {
    if (fresh || !last) last = SplitNames(enumerate(key_.get()), code_page_);
    return *last;
  }

  UniqueHkey key_;
  const CodePage& code_page_;
  std::wstring opened_as_;
  std::optional<std::wstring> classes_path_;
  REGSAM view_;
  std::optional<NamesInCodePage> subkeys_;
  std::optional<NamesInCodePage> values_;
};

bool KeyExists(HKEY parent, const std::wstring& name, REGSAM view) {
  UniqueHkey key;
  return RegOpenKeyExW(parent, name.c_str(), 0, KEY_READ | view, key.put()) == ERROR_SUCCESS;
}

// Deletes parent\name after its subkeys, deepest first and each relative to
// its open parent: the system deletes only keys without subkeys. A success
// code is not taken on trust: the key must be gone afterwards.
bool DeleteTree(HKEY parent, const std::wstring& name, REGSAM view, const CodePage& code_page) {
  {
    UniqueHkey key;
    if (RegOpenKeyExW(parent, name.c_str(), 0, KEY_READ | view, key.put()) != ERROR_SUCCESS) return false;
    // All names first: deleting while enumerating by index would skip keys.
    // A subkey whose name the code page cannot hold stays, and its parent
    // with it.
    for (const std::u16string& child : EnumerateSubkeys(key.get()))
      if (code_page.FromWide(child)) DeleteTree(key.get(), std::wstring(child.begin(), child.end()), view, code_page);
  }
  RegDeleteKeyExW(parent, name.c_str(), view, 0);
  return !KeyExists(parent, name, view);
}

// The key a path is opened from. A 32-bit program on 64-bit Windows takes
// the predefined key as the system resolves it for this program (the view
// flag would bypass a redirection of HKEY_CLASSES_ROOT) and opens every path
// below it in the 64-bit view.
HKEY OpenRoot(RootKey root, bool write, REGSAM view, UniqueHkey& holder) {
  const HKEY predefined = PredefinedKey(root);
  if (!predefined || !view) return predefined;
  const REGSAM access = write ? KEY_READ | KEY_WRITE : KEY_READ;
  if (RegOpenKeyExW(predefined, L"", 0, access, holder.put()) != ERROR_SUCCESS) return nullptr;
  return holder.get();
}

bool MachineClassesHold(const std::wstring& path, REGSAM view) {
  UniqueHkey holder;
  const HKEY machine = OpenRoot(kHkeyLocalMachine, false, view, holder);
  UniqueHkey key;
  return machine && OpenPath(machine, L"Software\\Classes\\" + path, Opening::kRead, view, key) == ERROR_SUCCESS;
}

}  // namespace

Win32Registry::Win32Registry(Views views) : Win32Registry(Win32CodePage::Program(), views) {}

Win32Registry::Win32Registry(const CodePage& code_page, Views views)
    : code_page_(code_page), views_(views), view_(views == Views::kSystem ? RegistryViewAccess() : 0) {}

std::unique_ptr<RegKey> Win32Registry::Open(RootKey root, const std::string& path, Opening how) {
  UniqueHkey holder;
  const HKEY predefined = OpenRoot(root, how != Opening::kRead, view_, holder);
  const std::optional<std::wstring> wide = SystemName(path, code_page_);
  if (!predefined || !wide) return nullptr;
  UniqueHkey key;
  if (OpenPath(predefined, *wide, how, view_, key) != ERROR_SUCCESS) return nullptr;
  return std::make_unique<Win32RegKey>(std::move(key), code_page_, *wide, root == kHkeyClassesRoot, view_);
}

std::unique_ptr<RegKey> Win32Registry::OpenRead(RootKey root, const std::string& path) {
  return Open(root, path, Opening::kRead);
}

std::unique_ptr<RegKey> Win32Registry::OpenWrite(RootKey root, const std::string& path) {
  return Open(root, path, Opening::kCreate);
}

std::unique_ptr<RegKey> Win32Registry::OpenExisting(RootKey root, const std::string& path) {
  return Open(root, path, Opening::kWrite);
}

template <typename DeleteChild>
bool Win32Registry::Delete(RootKey root, const std::string& path, DeleteChild delete_child) {
  UniqueHkey holder;
  const HKEY predefined = OpenRoot(root, true, view_, holder);
  // A leading backslash names no key (the system refuses it too).
  if (!predefined || path.empty() || path.front() == '\\') return false;
  // The parent opened first, however long its path; then the key's own name.
  std::string key_path = path;
  while (key_path.size() > 1 && key_path.back() == '\\') key_path.pop_back();
  const std::size_t slash = key_path.rfind('\\');
  const std::optional<std::wstring> name = SystemName(key_path.substr(slash + 1), code_page_);
  if (!name) return false;
  if (slash == std::string::npos) return delete_child(predefined, *name);
  UniqueHkey parent;
  if (OpenPath(predefined, key_path.substr(0, slash), code_page_, Opening::kRead, view_, parent) != ERROR_SUCCESS) return false;
  return delete_child(parent.get(), *name);
}

bool Win32Registry::DeleteKey(RootKey root, const std::string& path) {
  return Delete(root, path, [this](HKEY parent, const std::wstring& name) {
    return DeleteTree(parent, name, view_, code_page_);
  });
}

bool Win32Registry::DeleteLeafKey(RootKey root, const std::string& path) {
  // The system deletes a key only while it has no subkeys.
  return Delete(root, path, [this](HKEY parent, const std::wstring& name) {
    return RegDeleteKeyExW(parent, name.c_str(), view_, 0) == ERROR_SUCCESS && !KeyExists(parent, name, view_);
  });
}

bool Win32Registry::HasTwoViews() { return views_ == Views::kSystem && SystemHasTwoViews(); }

bool Win32Registry::IsUserClassesKey(const std::string& path) {
  UniqueHkey holder;
  const HKEY classes_root = OpenRoot(kHkeyClassesRoot, false, view_, holder);
  UniqueHkey key;
  if (!classes_root || OpenPath(classes_root, path, code_page_, Opening::kRead, view_, key) != ERROR_SUCCESS) return false;
  return IsKeyOfUserClasses(key.get());
}
