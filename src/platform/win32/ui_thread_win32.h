#pragma once
// The UI-thread hand-off on Windows: a message-only window owned by the UI
// thread. A worker's Invoke is a cross-thread SendMessage, which Windows
// carries out on the owning thread while the sender waits; Post is a
// PostMessage that any message loop of the UI thread delivers.
#include <windows.h>

#include "platform/ui_thread.h"

class Win32UiThread : public UiThread {
 public:
  // Create and destroy on the UI thread: the window belongs to the thread
  // that creates it. Every worker must have ended before destruction.
  Win32UiThread();
  ~Win32UiThread() override;
  Win32UiThread(const Win32UiThread&) = delete;
  Win32UiThread& operator=(const Win32UiThread&) = delete;

  // An error thrown by the call is rethrown in the invoking thread.
  void Invoke(const std::function<void()>& call) override;
  // Throws when the message queue refuses the call. A posted call must not
  // throw: no one is left to report to, so the program terminates.
  void Post(std::function<void()> call) override;
  // Serves workers' Invokes, this object's Posts and repaints, but leaves
  // user input queued until done: see the definition.
  void ServeUntil(const std::atomic<bool>& done) override;
  void Wake() override;

 private:
  bool OnUiThread() const;
  void DiscardQueuedPosts();

  DWORD owner_thread_;
  HWND window_;
};
