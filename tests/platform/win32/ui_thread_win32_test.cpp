#include "platform/win32/ui_thread_win32.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

#include "platform/worker_thread.h"
#include "support/watchdog.h"

namespace {

// Every test fails the run instead of hanging it when the hand-off deadlocks.
class Win32UiThreadTest : public testing::Test {
 protected:
  Watchdog watchdog_{std::chrono::seconds(20),
                     testing::UnitTest::GetInstance()->current_test_info()->name()};
  Win32UiThread ui_;
  const DWORD ui_thread_id_ = GetCurrentThreadId();
};

// An ordinary message loop, as the program's main loop runs it.
void RunMessageLoopUntil(const std::function<bool()>& done) {
  MSG msg;
  while (!done() && GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Runs work on a thread of its own while the UI thread serves hand-offs.
void RunOnWorkerServing(UiThread& ui, const std::function<void()>& work) {
  std::atomic<bool> done{false};
  std::thread worker([&] {
    work();
    done = true;
    ui.Wake();
  });
  ui.ServeUntil(done);
  worker.join();
}

TEST_F(Win32UiThreadTest, InvokeRunsOnTheUiThreadInIssueOrderAndReturnsAfterItRan) {
  std::vector<int> order;
  std::vector<DWORD> threads;
  bool returned_early = false;
  RunOnWorkerServing(ui_, [&] {
    for (int i = 0; i < 50; ++i) {
      ui_.Invoke([&, i] {
        order.push_back(i);
        threads.push_back(GetCurrentThreadId());
      });
      if (order.size() != static_cast<size_t>(i) + 1) returned_early = true;
    }
  });
  EXPECT_FALSE(returned_early);
  ASSERT_EQ(order.size(), 50u);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(order[i], i);
  for (DWORD id : threads) EXPECT_EQ(id, ui_thread_id_);
}

TEST_F(Win32UiThreadTest, InvokeOnTheUiThreadRunsAtOnce) {
  bool ran = false;
  ui_.Invoke([&] { ran = true; });
  EXPECT_TRUE(ran);
}

TEST_F(Win32UiThreadTest, AnErrorInAnInvokedCallReachesTheWorkerAndServingGoesOn) {
  std::string caught;
  bool later_call_ran = false;
  RunOnWorkerServing(ui_, [&] {
    try {
      ui_.Invoke([] { throw std::runtime_error("control gone"); });
    } catch (const std::runtime_error& e) {
      caught = e.what();
    }
    ui_.Invoke([&] { later_call_ran = true; });
  });
  EXPECT_EQ(caught, "control gone");
  EXPECT_TRUE(later_call_ran);
}

TEST_F(Win32UiThreadTest, PostIsDeliveredOnTheUiThreadByAnOrdinaryMessageLoop) {
  std::atomic<DWORD> ran_on{0};
  std::thread([&] { ui_.Post([&] { ran_on = GetCurrentThreadId(); }); }).join();
  EXPECT_EQ(ran_on, 0u);  // not before the loop runs
  RunMessageLoopUntil([&] { return ran_on != 0; });
  EXPECT_EQ(ran_on, ui_thread_id_);
}

TEST_F(Win32UiThreadTest, ServingLeavesOtherWindowsMessagesForTheMessageLoop) {
  Win32UiThread other;
  bool other_ran = false;
  bool own_ran = false;
  other.Post([&] { other_ran = true; });
  RunOnWorkerServing(ui_, [&] { ui_.Post([&] { own_ran = true; }); });
  // Served while the worker ran or just after: flush what is left of ours.
  std::atomic<bool> flushed{false};
  ui_.Post([&] { flushed = true; });
  ui_.ServeUntil(flushed);
  EXPECT_TRUE(own_ran);
  EXPECT_FALSE(other_ran);
  RunMessageLoopUntil([&] { return other_ran; });
}

TEST_F(Win32UiThreadTest, PostsStillQueuedAtDestructionAreFreedUnrun) {
  auto token = std::make_shared<int>(0);
  bool ran = false;
  {
    Win32UiThread short_lived;
    short_lived.Post([token, &ran] { ran = true; });
    EXPECT_EQ(token.use_count(), 2);
  }
  EXPECT_EQ(token.use_count(), 1);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  EXPECT_FALSE(ran);
}

TEST_F(Win32UiThreadTest, AnErrorEscapingAPostedCallEndsTheProgram) {
  EXPECT_DEATH(
      {
        Win32UiThread ui;
        ui.Post([] { throw std::runtime_error("unreported"); });
        RunMessageLoopUntil([] { return false; });
      },
      "unreported");
}

TEST_F(Win32UiThreadTest, ManyInvokesKeepTheirOrder) {
  constexpr int kCalls = 10000;
  std::vector<int> order;
  order.reserve(kCalls);
  auto start = std::chrono::steady_clock::now();
  RunOnWorkerServing(ui_, [&] {
    for (int i = 0; i < kCalls; ++i) ui_.Invoke([&, i] { order.push_back(i); });
  });
  auto elapsed = std::chrono::steady_clock::now() - start;
  ASSERT_EQ(order.size(), static_cast<size_t>(kCalls));
  for (int i = 0; i < kCalls; ++i) ASSERT_EQ(order[i], i);
  std::printf("[ measure  ] one Invoke round trip: %.1f us\n",
              std::chrono::duration<double, std::micro>(elapsed).count() / kCalls);
}

// A worker that does nothing but hand calls to the UI thread, as a scan
// updating its progress does, until asked to stop; or fails at once.
class BusyWorker : public WorkerThread {
 public:
  enum class Body { kInvokeUntilStopped, kReturn, kThrow };
  BusyWorker(UiThread& ui, Body body) : WorkerThread(ui), body_(body) {}
  ~BusyWorker() override { StopAndWait(); }
  std::atomic<int> invokes{0};

 protected:
  void Execute() override {
    if (body_ == Body::kThrow) throw std::runtime_error("scan failed");
    while (body_ == Body::kInvokeUntilStopped && !Terminated()) Ui().Invoke([this] { ++invokes; });
  }

 private:
  Body body_;
};

TEST_F(Win32UiThreadTest, StopAndWaitReturnsWhileTheWorkerSitsInInvoke) {
  BusyWorker worker(ui_, BusyWorker::Body::kInvokeUntilStopped);
  worker.Start();
  std::atomic<bool> some_ran{false};
  std::thread watcher([&] {
    while (worker.invokes < 100) std::this_thread::yield();
    some_ran = true;
    ui_.Wake();
  });
  ui_.ServeUntil(some_ran);
  watcher.join();
  worker.StopAndWait();
  EXPECT_TRUE(worker.Finished());
}

TEST_F(Win32UiThreadTest, CompletionRunsOnTheUiThreadAfterANormalEndAndAfterAnError) {
  for (auto body : {BusyWorker::Body::kReturn, BusyWorker::Body::kThrow}) {
    BusyWorker worker(ui_, body);
    DWORD ran_on = 0;
    worker.OnTerminate = [&] { ran_on = GetCurrentThreadId(); };
    worker.Start();
    worker.WaitFor();
    RunMessageLoopUntil([&] { return ran_on != 0; });
    EXPECT_EQ(ran_on, ui_thread_id_);
  }
}

TEST_F(Win32UiThreadTest, ACompletionQueuedWhenItsWorkerIsDestroyedNeverRuns) {
  int completions = 0;
  {
    BusyWorker worker(ui_, BusyWorker::Body::kReturn);
    // Touches the worker: a late run would be a use after free.
    worker.OnTerminate = [&] { completions += worker.Finished() ? 1 : 100; };
    worker.Start();
    // Wait without serving, so the completion stays queued.
    while (!worker.Finished()) Sleep(1);
  }
  std::atomic<bool> flushed{false};
  ui_.Post([&] { flushed = true; });
  RunMessageLoopUntil([&] { return flushed.load(); });
  EXPECT_EQ(completions, 0);
}

}  // namespace
