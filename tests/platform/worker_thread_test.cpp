#include "platform/worker_thread.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "platform/queued_ui_thread.h"

namespace {

// A worker whose body hands a few calls to the UI thread, then waits for a
// stop or ends by itself.
class CountingWorker : public WorkerThread {
 public:
  CountingWorker(UiThread& ui, int calls, bool throw_at_end = false, bool until_stopped = false)
      : WorkerThread(ui), calls_(calls), throw_at_end_(throw_at_end), until_stopped_(until_stopped) {}
  ~CountingWorker() override { StopAndWait(); }

  std::vector<int> seen;

 protected:
  void Execute() override {
    for (int i = 0; i < calls_; ++i) Ui().Invoke([this, i] { seen.push_back(i); });
    while (until_stopped_ && !Terminated()) Ui().Invoke([] {});
    if (throw_at_end_) throw std::runtime_error("body failed");
  }

 private:
  int calls_;
  bool throw_at_end_;
  bool until_stopped_;
};

TEST(WorkerThread, HandOffsRunOnTheUiThreadInOrderThenTheCompletion) {
  QueuedUiThread ui;
  CountingWorker worker(ui, 5);
  int completions = 0;
  worker.OnTerminate = [&] {
    EXPECT_EQ(worker.seen.size(), 5u);
    ++completions;
  };
  worker.Start();
  worker.WaitFor();
  ui.Drain();
  EXPECT_EQ(worker.seen, (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(completions, 1);
}

TEST(WorkerThread, CompletionFollowsAnErrorInTheBody) {
  QueuedUiThread ui;
  CountingWorker worker(ui, 1, /*throw_at_end=*/true);
  bool completed = false;
  worker.OnTerminate = [&] { completed = true; };
  worker.Start();
  worker.WaitFor();
  ui.Drain();
  EXPECT_TRUE(completed);
}

TEST(WorkerThread, StopWhileTheWorkerWaitsInAHandOffDoesNotDeadlock) {
  QueuedUiThread ui;
  CountingWorker worker(ui, 0, false, /*until_stopped=*/true);
  worker.Start();
  ui.Drain();  // let it get going
  worker.StopAndWait();
  EXPECT_TRUE(worker.Finished());
}

TEST(WorkerThread, CompletionNeverRunsAfterTheWorkerIsDestroyed) {
  QueuedUiThread ui;
  int completions = 0;
  {
    CountingWorker worker(ui, 3);
    // Touches the worker: a late run would be a use after free.
    worker.OnTerminate = [&] { completions += worker.seen.size() == 3 ? 1 : 100; };
    worker.Start();
  }
  const int at_destruction = completions;
  ui.Drain();
  EXPECT_EQ(completions, at_destruction);
  EXPECT_LE(completions, 1);
}

}  // namespace
