#include "platform/queued_ui_thread.h"

#include <chrono>

namespace {

// A scan hands over a change per problem and waits for it: waking a
// sleeping thread twice per change costs tens of microseconds, more than
// the change. Each side first watches for the other's answer this long.
constexpr std::chrono::microseconds kSpin{50};

template <typename Ready>
void SpinBriefly(Ready ready) {
  const auto until = std::chrono::steady_clock::now() + kSpin;
  while (!ready() && std::chrono::steady_clock::now() < until) {
  }
}

}  // namespace

void QueuedUiThread::Invoke(const std::function<void()>& call) {
  if (std::this_thread::get_id() == owner_) {
    call();
    return;
  }
  Outcome outcome;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    queue_.push_back({call, &outcome});
    ++queued_;
    changed_.notify_all();
  }
  SpinBriefly([&] { return outcome.done.load(); });
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [&] { return outcome.done.load(); });
  if (outcome.error) std::rethrow_exception(outcome.error);
}

void QueuedUiThread::Post(std::function<void()> call) {
  std::lock_guard<std::mutex> lock(mutex_);
  queue_.push_back({std::move(call), nullptr});
  ++queued_;
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
      --queued_;
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
    SpinBriefly([&] { return done || queued_ > 0; });
    std::unique_lock<std::mutex> lock(mutex_);
    if (done) return;
    changed_.wait(lock, [&] { return done || !queue_.empty(); });
  }
}
