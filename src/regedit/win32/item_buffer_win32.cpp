#include "regedit/win32/item_buffer_win32.h"

#include <cstring>

#include "regedit/win32/ShareObject_win32.h"

namespace {

class RemotePage : public ItemBuffer {
 public:
  RemotePage(HANDLE process, void* address, SIZE_T size) : process_(process), address_(address), size_(size) {}
  ~RemotePage() override {
    VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    CloseHandle(process_);
  }
  void* Address() const override { return address_; }
  bool Write(std::size_t offset, const void* data, std::size_t size) override {
    SIZE_T done = 0;
    return offset + size <= size_ &&
           WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, &done) && done == size;
  }
  bool Read(std::size_t offset, void* data, std::size_t size) override {
    SIZE_T done = 0;
    return offset + size <= size_ &&
           ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, &done) && done == size;
  }

 private:
  HANDLE process_;
  void* address_;
  SIZE_T size_;
};

class SharedView : public ItemBuffer {
 public:
  void* Address() const override { return view_; }
  bool Write(std::size_t offset, const void* data, std::size_t size) override {
    if (offset + size > share_.PageSize()) return false;
    std::memcpy(static_cast<char*>(view_) + offset, data, size);
    return true;
  }
  bool Read(std::size_t offset, void* data, std::size_t size) override {
    if (offset + size > share_.PageSize()) return false;
    std::memcpy(data, static_cast<char*>(view_) + offset, size);
    return true;
  }
  bool Map() { return (view_ = share_.Map()) != nullptr; }

 private:
  TShareObject share_;
  void* view_ = nullptr;
};

bool IsWow64(HANDLE process) {
  BOOL wow64 = FALSE;
  return IsWow64Process(process, &wow64) && wow64;
}

}  // namespace

std::unique_ptr<ItemBuffer> PageInProcess(DWORD process_id) {
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
                               FALSE, process_id);
  if (!process) return nullptr;
  // The records hold pointers: the editor must have our word size.
  if (IsWow64(process) != IsWow64(GetCurrentProcess())) {
    CloseHandle(process);
    return nullptr;
  }
  const SIZE_T size = 4096;
  void* address = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!address) {
    CloseHandle(process);
    return nullptr;
  }
  return std::make_unique<RemotePage>(process, address, size);
}

std::unique_ptr<ItemBuffer> SharedPage() {
  auto view = std::make_unique<SharedView>();
  if (!view->Map()) return nullptr;
  return view;
}
