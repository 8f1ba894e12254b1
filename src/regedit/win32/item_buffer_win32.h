#pragma once
// Memory the registry editor's process can address, for the records and
// texts its controls read and write: a page allocated in that process, or
// (Windows 95, 98, ME) a shared file-mapping view at the same address in
// every process.
#include <windows.h>

#include <cstddef>
#include <memory>

class ItemBuffer {
 public:
  static constexpr std::size_t kTextOffset = 512;  // the text after the record
  static constexpr int kTextCapacity = 1024;

  virtual ~ItemBuffer() = default;
  // The buffer's address as the editor's process sees it.
  virtual void* Address() const = 0;
  virtual bool Write(std::size_t offset, const void* data, std::size_t size) = 0;
  virtual bool Read(std::size_t offset, void* data, std::size_t size) = 0;
};

// A page in the process, or null when the process cannot be opened for it
// (an editor running with higher rights, or of another word size).
std::unique_ptr<ItemBuffer> PageInProcess(DWORD process_id);
// The shared view of Windows 95, 98 and ME; null when it cannot be made.
std::unique_ptr<ItemBuffer> SharedPage();
