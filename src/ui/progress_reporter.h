// The bar and the status line of a run that downloads packages, fed from the threads that
// download and place them: the bar follows the bytes and never goes back, and the line names the
// package the run is at with the bytes of its download.
#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "ui/byte_progress.h"
#include "ui/window_model.h"

// The line's bytes change at most this often (the last bytes of a download always show).
inline constexpr std::chrono::milliseconds kStatusBytesInterval{250};

class ProgressReporter {
 public:
  // The bar runs from `from` to `to` over the packages' sizes.
  ProgressReporter(WindowModel& window, const std::vector<int64_t>& sizes, int32_t from, int32_t to);

  // The run is at `package`: the bar shows at least `at_least`, the line becomes `line`, then
  // `line` with the bytes its download has so far.
  void begin_package(size_t package, const std::wstring& line, int32_t at_least);
  // Any thread.
  void downloaded(size_t package, uint64_t received, uint64_t expected);
  void placed(size_t package);

 private:
  void show_bar(int32_t percent);  // under the lock
  std::wstring line_with_bytes() const;

  struct Bytes {
    uint64_t received = 0;
    uint64_t expected = 0;
    bool known = false;
  };
  std::mutex mutex_;
  WindowModel& window_;
  ByteProgress progress_;
  std::vector<Bytes> bytes_;
  int32_t shown_ = -1;
  size_t current_ = static_cast<size_t>(-1);
  std::wstring line_;
  std::chrono::steady_clock::time_point last_line_{};
};
