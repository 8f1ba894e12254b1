#include "platform/queued_ui_thread.h"

void QueuedUiThread::Invoke(const std::function<void()>& call) {
  if (std::this_thread::get_id() == owner_) {
    call();
    return;
  }
  Outcome outcome;
  std::unique_lock<std::mutex> lock(mutex_);
  queue_.push_back({call, &outcome});
  changed_.notify_all();
  changed_.wait(lock, [&] { return outcome.done; });
  if (outcome.error) std::rethrow_exception(outcome.error);
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
    ++ran;
    if (!item.outcome) {
      item.call();
      continue;
    }
    std::exception_ptr error;
    try {
      item.call();
    } catch (...) {
      error = std::current_exception();
    }
    std::lock_guard<std::mutex> lock(mutex_);
    item.outcome->error = error;
    item.outcome->done = true;
    changed_.notify_all();
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
