#include "base/worker.h"

#include "base/detached_thread.h"

bool Worker::start(std::function<void()> work) {
  {
    std::lock_guard lock(mutex_);
    if (running_) return false;
    running_ = true;
  }
  cancel_.store(false);
  const bool started = start_detached([self = shared_from_this(), work = std::move(work)] {
    work();
    self->finished();
  });
  if (!started) finished();
  return started;
}

bool Worker::busy() const {
  std::lock_guard lock(mutex_);
  return running_;
}

bool Worker::wait_idle(std::chrono::milliseconds limit) {
  std::unique_lock lock(mutex_);
  return idle_.wait_for(lock, limit, [this] { return !running_; });
}

void Worker::finished() {
  {
    std::lock_guard lock(mutex_);
    running_ = false;
  }
  idle_.notify_all();
}
