#pragma once
// A hand-off to the UI thread that counts the synchronous hand-offs made
// through it and the time their callers spent waiting in them: a scan's
// price of reporting each problem as it finds it, which grows with what the
// machine runs besides (each hand-off wakes two threads).
#include <atomic>
#include <chrono>
#include <cstddef>

#include "platform/ui_thread.h"

class TimingUiThread : public UiThread {
 public:
  explicit TimingUiThread(UiThread& ui) : ui_(ui) {}

  std::size_t Invokes() const { return invokes_; }
  double InvokeMs() const { return static_cast<double>(invoke_ns_) / 1e6; }

  void Invoke(const std::function<void()>& call) override {
    const auto start = std::chrono::steady_clock::now();
    ui_.Invoke(call);
    ++invokes_;
    invoke_ns_ += std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count();
  }
  void Post(std::function<void()> call) override { ui_.Post(std::move(call)); }
  void ServeUntil(const std::atomic<bool>& done) override { ui_.ServeUntil(done); }
  void Wake() override { ui_.Wake(); }

 private:
  UiThread& ui_;
  std::atomic<std::size_t> invokes_{0};
  std::atomic<long long> invoke_ns_{0};
};
