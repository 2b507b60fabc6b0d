// The one background job a controller runs at a time: started detached, stopped through a flag
// it polls, and waited for (within a limit) when the program ends. Held by shared_ptr, since the
// thread may outlive the controller that started it.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

class Worker : public std::enable_shared_from_this<Worker> {
 public:
  // Clears the cancel flag and runs `work` on a detached thread. False when a job is still
  // running or the thread cannot be started.
  bool start(std::function<void()> work);

  bool busy() const;
  void cancel() { cancel_.store(true); }
  const std::atomic<bool>& cancel_flag() const { return cancel_; }

  // True once no job is running, false when `limit` passed first.
  bool wait_idle(std::chrono::milliseconds limit);

 private:
  void finished();

  std::atomic<bool> cancel_{false};
  mutable std::mutex mutex_;
  std::condition_variable idle_;
  bool running_ = false;
};
