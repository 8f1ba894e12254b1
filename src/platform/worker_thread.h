#pragma once
// A worker thread with a stop request and a completion handler delivered on
// the UI thread, whether the body ended normally, after a stop or by an error.
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "platform/ui_thread.h"

class WorkerThread {
 public:
  explicit WorkerThread(UiThread& ui) : ui_(ui) {}
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;
  // A derived class must call StopAndWait in its own destructor: the body
  // uses the derived object.
  virtual ~WorkerThread();

  // Runs on the UI thread after the body has returned.
  std::function<void()> OnTerminate;

  void Start();
  void Terminate() { stop_requested_ = true; }
  bool Terminated() const { return stop_requested_; }
  bool Finished() const { return finished_; }
  // On the UI thread: requests a stop and waits for the body to end, serving
  // the worker's hand-offs meanwhile.
  void StopAndWait();
  // On the UI thread: waits for the body to end without requesting a stop.
  void WaitFor();

 protected:
  virtual void Execute() = 0;
  UiThread& Ui() { return ui_; }

 private:
  void Body();

  UiThread& ui_;
  std::thread thread_;
  std::atomic<bool> stop_requested_{false};
  std::atomic<bool> finished_{false};
  // Lets a completion queued before this object died see that it is gone.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
