#pragma once
// A UI thread without windows (tests, the console scanner): calls handed
// off by workers wait in a queue until the thread that owns this object
// drains it.
#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/ui_thread.h"

class QueuedUiThread : public UiThread {
 public:
  QueuedUiThread() : owner_(std::this_thread::get_id()) {}

  void Invoke(const std::function<void()>& call) override;
  void Post(std::function<void()> call) override;
  void ServeUntil(const std::atomic<bool>& done) override;
  void Wake() override;

  // Runs every queued call; returns how many ran. An error of an invoked
  // call goes back to its worker; one of a posted call comes out here.
  int Drain();

 private:
  // What an invoking worker waits for: the end of its call, and its error
  // (set before done).
  struct Outcome {
    std::atomic<bool> done{false};
    std::exception_ptr error;
  };
  struct Item {
    std::function<void()> call;
    Outcome* outcome = nullptr;  // set for Invoke
  };
  std::thread::id owner_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Item> queue_;
  // queue_.size(), readable without the mutex while spinning.
  std::atomic<std::size_t> queued_{0};
};
