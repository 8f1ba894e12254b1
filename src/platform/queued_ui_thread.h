#pragma once
// A UI thread for tests: calls handed off by workers wait in a queue until
// the thread that owns this object drains it.
#include <condition_variable>
#include <deque>
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

  // Runs every queued call; returns how many ran.
  int Drain();

 private:
  struct Item {
    std::function<void()> call;
    bool* done = nullptr;  // set for Invoke: the worker waits for it
  };
  std::thread::id owner_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Item> queue_;
};
