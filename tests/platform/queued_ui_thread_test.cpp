#include "platform/queued_ui_thread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

#include "support/watchdog.h"

namespace {

TEST(QueuedUiThread, AnErrorInAnInvokedCallReachesTheWorkerAndServingGoesOn) {
  Watchdog watchdog(std::chrono::seconds(20), "QueuedUiThread error hand-back");
  QueuedUiThread ui;
  std::string caught;
  bool later_call_ran = false;
  std::atomic<bool> done{false};
  std::thread worker([&] {
    try {
      ui.Invoke([] { throw std::runtime_error("control gone"); });
    } catch (const std::runtime_error& e) {
      caught = e.what();
    }
    ui.Invoke([&] { later_call_ran = true; });
    done = true;
    ui.Wake();
  });
  ui.ServeUntil(done);
  worker.join();
  EXPECT_EQ(caught, "control gone");
  EXPECT_TRUE(later_call_ran);
}

}  // namespace
