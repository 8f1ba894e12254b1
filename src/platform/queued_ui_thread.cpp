#include "platform/queued_ui_thread.h"

void QueuedUiThread::Invoke(const std::function<void()>& call) {
  if (std::this_thread::get_id() == owner_) {
    call();
    return;
  }
  bool done = false;
  std::unique_lock<std::mutex> lock(mutex_);
  queue_.push_back({call, &done});
  changed_.notify_all();
  changed_.wait(lock, [&] { return done; });
}

void QueuedUiThread::Post(std::function<void()> call) {
  std::lock_guard<std::mutex> lock(mutex_);
  queue_.push_back({std::move(call), nullptr});
  changed_.notify_all();
}

void QueuedUiThread::Wake() {
  std::lock_guard<std::mutex> lock(mutex_);
  changed_.notify_all();
}

int QueuedUiThread::Drain() {
  int ran = 0;
  for (;;) {
    Item item;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (queue_.empty()) return ran;
      item = std::move(queue_.front());
      queue_.pop_front();
    }
    item.call();
    ++ran;
    if (item.done) {
      std::lock_guard<std::mutex> lock(mutex_);
      *item.done = true;
      changed_.notify_all();
    }
  }
}

void QueuedUiThread::ServeUntil(const std::atomic<bool>& done) {
  for (;;) {
    Drain();
    std::unique_lock<std::mutex> lock(mutex_);
    if (done) return;
    changed_.wait(lock, [&] { return done || !queue_.empty(); });
  }
}
