#pragma once
// Hand-off from a worker thread to the user-interface thread.
#include <atomic>
#include <functional>

class UiThread {
 public:
  virtual ~UiThread() = default;
  // Runs the call on the UI thread and returns once it has run. Calls from
  // one worker run in the order issued. Called on the UI thread itself, runs
  // it at once.
  virtual void Invoke(const std::function<void()>& call) = 0;
  // Queues the call to run later on the UI thread; returns at once.
  virtual void Post(std::function<void()> call) = 0;
  // On the UI thread: serves hand-offs until done is true. This is how the
  // UI thread waits for a worker that may be waiting in Invoke.
  virtual void ServeUntil(const std::atomic<bool>& done) = 0;
  // Wakes a ServeUntil so that it looks at its flag again.
  virtual void Wake() = 0;
};
