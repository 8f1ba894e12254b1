#include "platform/worker_thread.h"

WorkerThread::~WorkerThread() {
  StopAndWait();
  *alive_ = false;
}

void WorkerThread::Start() {
  thread_ = std::thread([this] { Body(); });
}

void WorkerThread::Body() {
  try {
    Execute();
  } catch (...) {
    // An error ends the body like a normal return; the completion follows.
  }
  std::shared_ptr<bool> alive = alive_;
  ui_.Post([this, alive] {
    if (*alive && OnTerminate) OnTerminate();
  });
  finished_ = true;
  ui_.Wake();
}

void WorkerThread::StopAndWait() {
  Terminate();
  WaitFor();
}

void WorkerThread::WaitFor() {
  if (!thread_.joinable()) return;
  ui_.ServeUntil(finished_);
  thread_.join();
}
